#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>
#include <cmath>

#include "MessageLog.h"
#include "QtPrint.h"
#include "SlipFixture.h"
#include "TFormPreviewMitsu.h"
#include "TPngButton.h"
#include "TempDir.h"

namespace {

class TFormPreviewMitsuTest : public ::testing::Test {
  protected:
    template <typename T>
    T* control(const char* name) {
        T* found = form.findChild<T*>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    void open() {
        form.Prepare(slip.Source(), true, {150, 150});
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    }
    void click(const char* picture) {
        QTest::mouseClick(control<TPngButton>(picture), Qt::LeftButton);
    }
    void zoom(int percent) {
        QComboBox* bai = control<QComboBox>("CBBai");
        bai->setFocus();
        while (bai->currentIndex() < (percent - 100) / 10) {
            QTest::keyClick(bai, Qt::Key_Down);
        }
    }
    QSize box() { return control<QScrollArea>("ScrollBox1")->maximumViewportSize(); }
    QString pages() { return control<QLabel>("LblPages")->text(); }
    bool enabled(const char* picture) { return control<TPngButton>(picture)->isEnabled(); }

    MessageLog messages;
    TempDir temp;
    SlipFixture slip{3};
    TFormPreviewMitsu form;
};

TEST_F(TFormPreviewMitsuTest, StepsThroughThePagesAndTheirCopies) {
    const struct {
        int lines;
        bool copies;
        int pages;
    } cases[] = {{3, false, 1}, {3, true, 2}, {61, true, 6}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.lines << " lines, copies " << c.copies);
        slip = SlipFixture(c.lines);
        slip.options.PrintCopy = c.copies;
        open();
        EXPECT_EQ(form.PageCount(), c.pages);
        EXPECT_EQ(pages(), QStringLiteral("( 1 / %1 )").arg(c.pages));
        EXPECT_FALSE(enabled("pngBtnPrev"));
        EXPECT_EQ(enabled("pngBtnNext"), c.pages > 1);
        for (int page = 2; page <= c.pages; ++page) {
            click("pngBtnNext");
            EXPECT_EQ(form.CurrentPage(), page);
        }
        EXPECT_EQ(pages(), QStringLiteral("( %1 / %1 )").arg(c.pages));
        EXPECT_FALSE(enabled("pngBtnNext"));
        if (c.pages > 1) {
            click("pngBtnPrev");
            EXPECT_EQ(form.CurrentPage(), c.pages - 1);
            EXPECT_TRUE(enabled("pngBtnNext"));
            EXPECT_EQ(enabled("pngBtnPrev"), c.pages > 2);
        }
        form.close();
    }
}

TEST_F(TFormPreviewMitsuTest, TheCopyPageDiffersOnlyByItsTitle) {
    slip.options.PrintCopy = true;
    open();
    const QImage original = form.ShownImage();
    click("pngBtnNext");
    const QImage copy = form.ShownImage();
    ASSERT_EQ(original.size(), copy.size());
    // The title row carries "(控)"; the rest of the sheet is the same.
    const int titleBottom = original.height() * 30 / 297;
    EXPECT_NE(original.copy(0, 0, original.width(), titleBottom),
              copy.copy(0, 0, copy.width(), titleBottom));
    EXPECT_EQ(original.copy(0, titleBottom, original.width(), original.height() - titleBottom),
              copy.copy(0, titleBottom, copy.width(), copy.height() - titleBottom));
}

TEST_F(TFormPreviewMitsuTest, ImageSizeFollowsTheBoxAndTheZoom) {
    EXPECT_EQ(control<QComboBox>("CBBai")->count(), 11);
    for (bool landscape : {false, true}) {
        slip.options.Landscape = landscape;
        for (int percent : {100, 150, 200}) {
            SCOPED_TRACE(testing::Message() << "landscape " << landscape << ", " << percent << "%");
            open();
            zoom(percent);
            const double z = percent / 100.0;
            const QSize image = form.ShownImage().size();
            if (landscape) {
                EXPECT_EQ(image.width(), std::lround(box().width() * z));
                EXPECT_EQ(image.height(), std::lround(image.width() / 1.414));
            } else {
                EXPECT_EQ(image.height(), std::lround(box().height() * z));
                EXPECT_EQ(image.width(), std::lround(image.height() / 1.414));
            }
            const QLabel* shown = control<QLabel>("ImgPreview");
            EXPECT_EQ(shown->size(), image);
            if (!landscape && percent == 100) {
                EXPECT_EQ(shown->x(),
                          std::lround(box().width() / 2.0) - std::lround(image.width() / 2.0));
            }
            if (landscape && percent == 100) {
                EXPECT_EQ(shown->y(),
                          std::lround(box().height() / 2.0) - std::lround(image.height() / 2.0));
            }
            form.close();
        }
    }
}

TEST_F(TFormPreviewMitsuTest, TheWheelScrollsFiveAPosition) {
    open();
    zoom(200);
    QScrollArea* area = control<QScrollArea>("ScrollBox1");
    QScrollBar* bar = area->verticalScrollBar();
    ASSERT_GT(bar->maximum(), 20);
    auto wheel = [&](int delta) {
        const QPointF at(10, 10);
        QWheelEvent event(at, area->viewport()->mapToGlobal(at), QPoint(), QPoint(0, delta),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(area->viewport(), &event);
    };
    wheel(-120);
    wheel(-120);
    EXPECT_EQ(bar->value(), 10);
    wheel(120);
    EXPECT_EQ(bar->value(), 5);
}

TEST_F(TFormPreviewMitsuTest, ExportsTheShownPageAsBmpAndJpeg) {
    QStringList folders;
    const struct {
        const char* button;
        const char* file;
        QByteArray magic;
    } cases[] = {{"pngBtnBMP", "page.bmp", "BM"}, {"pngBtnJpg", "page.jpg", "\xff\xd8\xff"}};
    open();
    zoom(120);
    for (const auto& c : cases) {
        const QString path = temp.path(c.file);
        auto dialog = [&](QWidget*, const QString& folder) {
            folders << folder;
            return path;
        };
        form.SetBmpDialog(dialog);
        form.SetJpgDialog(dialog);
        click(c.button);
        EXPECT_TRUE(readFileBytes(path).startsWith(c.magic)) << c.file;
        EXPECT_EQ(QImage(path).size(), form.ShownImage().size()) << c.file;
    }
    EXPECT_EQ(folders.size(), 2);
    EXPECT_EQ(messages.Texts, QStringList());

    // A cancelled dialog writes nothing.
    form.SetBmpDialog([](QWidget*, const QString&) { return QString(); });
    QFile::remove(temp.path("page.bmp"));
    click("pngBtnBMP");
    EXPECT_FALSE(QFile::exists(temp.path("page.bmp")));
}

}  // namespace
