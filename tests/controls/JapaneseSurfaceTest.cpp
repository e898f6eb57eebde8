#include <gtest/gtest.h>

#include <QCalendarWidget>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

#include "QtPrint.h"

#include "JapaneseSurface.h"

namespace {

// Qt's own texts are Japanese even where the system speaks English.
TEST(JapaneseSurface, DialogsAndTheCalendarSpeakJapaneseWhateverTheSystemLocale) {
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    InstallJapaneseSurface(*qApp);

    QMessageBox box;
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Ok);
    EXPECT_TRUE(box.button(QMessageBox::Yes)->text().startsWith("はい"))
        << box.button(QMessageBox::Yes)->text().toStdString();
    EXPECT_TRUE(box.button(QMessageBox::No)->text().startsWith("いいえ"))
        << box.button(QMessageBox::No)->text().toStdString();

    EXPECT_TRUE(QApplication::testAttribute(Qt::AA_DontUseNativeDialogs));
    QFileDialog dialog;
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    EXPECT_EQ(dialog.labelText(QFileDialog::Accept), "保存(&S)");
    EXPECT_EQ(dialog.labelText(QFileDialog::Reject), "キャンセル");

    QCalendarWidget calendar;
    EXPECT_EQ(calendar.locale().language(), QLocale::Japanese);
    EXPECT_EQ(calendar.locale().standaloneMonthName(1), "1月");
}

}  // namespace
