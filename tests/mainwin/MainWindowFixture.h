#pragma once

#include <gtest/gtest.h>

#include "QtPrint.h"

#include <QAbstractButton>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDir>
#include <QLineEdit>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

#include "AppWindows.h"
#include "Cp932.h"
#include "MessageLog.h"
#include "TFormMain.h"
#include "TPngButton.h"
#include "TempDir.h"
#include "TypeText.h"

// The real main window on a fresh data root, active so that focus moves as it does for a
// user; message boxes are answered by the log.
class MainWindowFixture : public ::testing::Test {
  protected:
    // The histories of the drop-downs live in the per-user settings; keep them in the sandbox.
    void SetUp() override {
        savedConfig_ = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", dir.path(QStringLiteral("config")).toUtf8());
    }
    void TearDown() override {
        AppWindows::Destroy();
        qputenv("XDG_CONFIG_HOME", savedConfig_);
    }

    DataFolders folders() const {
        return DataFolders(dir.path(QStringLiteral("HESTREL/Pelkano4")));
    }
    void writeRootFile(const char* name, const char* utf8) {
        QDir().mkpath(folders().RootFolder());
        writeFileBytes(folders().RootFolder() + QLatin1String(name),
                       Cp932::encode(QString::fromUtf8(utf8)));
    }
    TFormMain& start() {
        AppWindows::Create(folders());
        TFormMain& window = *AppWindows::FormMain;
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        return window;
    }
    TFormMain& window() const { return *AppWindows::FormMain; }

    template <class Control = QWidget>
    Control* control(const QString& name) const {
        auto* found = window().findChild<Control*>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }
    QLineEdit* cell(const char* prefix, int row) const {
        return control<QLineEdit>(QLatin1String(prefix) + QString::number(row));
    }
    void showTab(int index) {
        QTabBar* bar = control<QTabWidget>(QStringLiteral("PGMain"))->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
    }
    // Clicks into the field and types over its text.
    void typeInto(QWidget* field, const QString& text) {
        QTest::mouseClick(field, Qt::LeftButton);
        QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
        TypeText(field, text);
    }
    void leave(QWidget* field) { QTest::keyClick(field, Qt::Key_Tab); }
    // Right-clicks the field, which opens its pick menu.
    static void rightClick(QWidget* field) {
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5),
                                field->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(field, &event);
    }
    void clickButton(const char* name) {
        QTest::mouseClick(control<QAbstractButton>(QLatin1String(name)), Qt::LeftButton);
    }

    TempDir dir;
    MessageLog messages;

  private:
    QByteArray savedConfig_;
};
