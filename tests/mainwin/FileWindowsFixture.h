#pragma once

#include <gtest/gtest.h>

#include <QDialog>
#include <QDir>
#include <QHeaderView>
#include <QTableView>
#include <QTest>

#include "MessageLog.h"
#include "TempDir.h"

#include "Clock.h"
#include "FileList.h"
#include "TPngButton.h"
#include "TThEstimateObjectList.h"

// A data folder with documents saved at known times, and the ways a person works the file
// windows: clicking picture buttons, rows and column headers.
class FileWindowsTest : public ::testing::Test {
  protected:
    FileWindowsTest() {
        QDir(temp.root()).mkdir(QStringLiteral("data"));
        Clock::fix(today());
    }
    ~FileWindowsTest() override { Clock::unfix(); }

    QString data(const QString& name = {}) const {
        return temp.path(QStringLiteral("data/") + name);
    }

    static QDateTime today() { return QDateTime(QDate(2005, 11, 30), QTime(9, 5)); }
    void saveDocument(const QString& fileName, const QString& name1 = {},
                      const QString& comment = {}, const QDateTime& saved = today(),
                      bool totalClaim = false) {
        TThEstimateObjectList document;
        document.TotalClaimMode = totalClaim;
        document.Customer.Name1 = name1;
        document.PadLines(TThEstimateObjectList::DefaultLineCount);
        Clock::fix(saved);
        document.SaveToFile(data(fileName + ".MT4"), comment);
        Clock::fix(today());
    }

    template <typename T>
    static T* control(QWidget* window, const char* name) {
        T* found = window->findChild<T*>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    static void click(QWidget* window, const char* picture) {
        QTest::mouseClick(control<TPngButton>(window, picture), Qt::LeftButton);
    }
    static QTableView* list(QWidget* window) { return control<QTableView>(window, "LVFileList"); }
    static QPoint rowPoint(QTableView* view, int row) {
        return view->visualRect(view->model()->index(row, 1)).center();
    }
    static void clickRow(QWidget* window, int row, Qt::KeyboardModifiers modifiers = {}) {
        QTableView* view = list(window);
        view->scrollTo(view->model()->index(row, 1));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, modifiers, rowPoint(view, row));
    }
    // The first click of a double click selects the row; QTest sends only the second.
    static void doubleClickRow(QWidget* window, int row) {
        clickRow(window, row);
        QTableView* view = list(window);
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, rowPoint(view, row));
    }
    static void clickHeader(QWidget* window, int column) {
        QHeaderView* header = list(window)->horizontalHeader();
        const QPoint at(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                        header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
    }
    // The texts of one column from top to bottom.
    static QStringList column(QWidget* window, int column = FileList::ColumnFileName) {
        QStringList texts;
        QAbstractItemModel* model = list(window)->model();
        for (int row = 0; row < model->rowCount(); ++row) {
            texts << model->index(row, column).data().toString();
        }
        return texts;
    }
    static void show(QDialog* window) {
        window->open();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    }

    MessageLog messages;
    TempDir temp;
};
