#include <gtest/gtest.h>

#include <QDir>
#include <QFileDialog>

#include "QtPrint.h"
#include "TempDir.h"

#include "PictureChoice.h"

namespace {

// HOME and the XDG user folders in the sandbox, as a user without a pictures folder has them.
class PictureChoiceTest : public ::testing::Test {
  protected:
    PictureChoiceTest() : savedHome_(qgetenv("HOME")), savedConfig_(qgetenv("XDG_CONFIG_HOME")) {
        qputenv("HOME", temp.root().toUtf8());
        qputenv("XDG_CONFIG_HOME", temp.path("config").toUtf8());
    }
    ~PictureChoiceTest() override {
        qputenv("HOME", savedHome_);
        qputenv("XDG_CONFIG_HOME", savedConfig_);
    }

    TempDir temp;

  private:
    QByteArray savedHome_;
    QByteArray savedConfig_;
};

TEST_F(PictureChoiceTest, TheDialogStartsInThePicturesFolderOrAtHome) {
    EXPECT_EQ(QDir(PictureChoice::StartFolder()), QDir(temp.root()));
    ASSERT_TRUE(QDir(temp.root()).mkdir("Pictures"));
    EXPECT_EQ(QDir(PictureChoice::StartFolder()), QDir(temp.path("Pictures")));
}

TEST_F(PictureChoiceTest, TheDialogOpensAnExistingBitmapJpegOrPngFile) {
    const auto dialog = PictureChoice::OpenDialog(nullptr, temp.root());
    EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptOpen);
    EXPECT_EQ(dialog->fileMode(), QFileDialog::ExistingFile);
    EXPECT_EQ(
        dialog->nameFilters(),
        QStringList({"画像ファイル (*.bmp *.jpg *.jpeg *.png)", "ビットマップ (*.bmp)",
                     "JPEG イメージファイル (*.jpg *.jpeg)", "PNG イメージファイル (*.png)"}));
    EXPECT_EQ(dialog->directory(), QDir(temp.root()));
}

}  // namespace
