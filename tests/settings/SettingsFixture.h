#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QImage>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>

#include "MessageLog.h"
#include "QtPrint.h"
#include "TempDir.h"

#include "IniFile.h"
#include "TPictureFrame.h"
#include "TPngButton.h"

// A settings window on a sandboxed image folder, the picture files a user might choose, and
// the ways a person works the window: tabs, picture buttons, fields.
class SettingsFixture : public ::testing::Test {
  protected:
    SettingsFixture() { QDir(temp.root()).mkdir(QStringLiteral("img")); }

    QString img(const QString& name = {}) const { return temp.path(QStringLiteral("img/") + name); }
    QString confPath() const { return temp.path(QStringLiteral("conf.ini")); }

    // A seal as scanned: a red square on a transparent background.
    static QImage seal(int width = 40, int height = 30) {
        QImage picture(width, height, QImage::Format_ARGB32);
        picture.fill(Qt::transparent);
        for (int y = height / 4; y < height * 3 / 4; ++y) {
            for (int x = width / 4; x < width * 3 / 4; ++x) {
                picture.setPixel(x, y, qRgb(200, 0, 0));
            }
        }
        return picture;
    }
    static QImage plain(QColor color, int width = 20, int height = 10) {
        QImage picture(width, height, QImage::Format_RGB32);
        picture.fill(color);
        return picture;
    }
    // Writes picture in format to a file the user can choose.
    QString pictureFile(const QString& name, const QImage& picture, const char* format) const {
        const QString path = temp.path(name);
        EXPECT_TRUE(picture.save(path, format)) << name.toStdString();
        return path;
    }

    template <class T>
    static T* control(QWidget* window, const QString& name) {
        T* found = window->findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }
    static void open(QDialog* window) {
        window->open();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    }
    // Shows the tab holding the control, as a user does before using it.
    static void showTabOf(QWidget* control) {
        for (QWidget* w = control->parentWidget(); w != nullptr; w = w->parentWidget()) {
            if (auto* tabs = qobject_cast<QTabWidget*>(w)) {
                for (int i = 0; i < tabs->count(); ++i) {
                    if (tabs->widget(i)->isAncestorOf(control)) {
                        tabs->setCurrentIndex(i);
                    }
                }
            }
        }
    }
    static void click(QWidget* window, const QString& name) {
        clickButton(control<QAbstractButton>(window, name));
    }
    // Check and radio boxes react to their box and caption only: the click goes to the box.
    static void clickButton(QAbstractButton* button) {
        showTabOf(button);
        const bool box = qobject_cast<QCheckBox*>(button) || qobject_cast<QRadioButton*>(button);
        QTest::mouseClick(button, Qt::LeftButton, {},
                          box ? QPoint(8, button->height() / 2) : button->rect().center());
    }
    static QString currentTab(QWidget* window, const char* tabs) {
        return control<QTabWidget>(window, QLatin1String(tabs))->currentWidget()->objectName();
    }

    TempDir temp;
    MessageLog messages;
    // What the picture dialog answers, and the folders it was opened in.
    QString pictureAnswer;
    QStringList pictureFolders;
};
