#include "FileWindowsFixture.h"

#include <QPushButton>

#include "QtPrint.h"

#include "TFormListFileSave.h"
#include "TFormOpen.h"
#include "TFormSave.h"
#include "TFormSearchFile.h"
#include "TFormTotalClaim.h"

namespace {

struct Button {
    const char* role;
    const char* caption;
    int x;
    int y;
};

void expectButtons(QWidget* window, std::initializer_list<Button> buttons) {
    for (const Button& b : buttons) {
        const QByteArray name = QByteArray("Btn") + b.role;
        auto* standard = window->findChild<QPushButton*>(QLatin1String(name));
        auto* picture = window->findChild<TPngButton*>(QLatin1String("PNG" + name));
        ASSERT_TRUE(standard && picture) << name.constData();
        EXPECT_EQ(standard->text(), QString::fromUtf8(b.caption));
        EXPECT_FALSE(standard->isVisibleTo(window)) << name.constData();
        EXPECT_TRUE(picture->isVisibleTo(window)) << name.constData();
        EXPECT_EQ(picture->geometry(), QRect(b.x, b.y, 84, 28)) << name.constData();
        EXPECT_EQ(picture->StandardButton(), standard);
    }
}

TEST_F(FileWindowsTest, ListWindowsHaveTheirSizeColumnsAndButtons) {
    TThEstimateObjectList document;
    TFormOpen open;
    open.Bind(document, data());
    TFormListFileSave listSave;
    listSave.Bind(document, data());
    TFormTotalClaim totalClaim;
    totalClaim.Bind(data());
    const struct {
        QDialog* window;
        const char* title;
        QSize size;
        int listWidth;
        QAbstractItemView::SelectionMode selection;
    } windows[] = {
        {&open, "ファイルを開く", {832, 364}, 832, QAbstractItemView::SingleSelection},
        {&listSave, "保存", {832, 370}, 832, QAbstractItemView::SingleSelection},
        {&totalClaim, "データの選択", {831, 365}, 831, QAbstractItemView::ExtendedSelection},
    };
    const QStringList captions = {"", "ファイル名", "会社名", "コメント", "保存日時"};
    const int widths[] = {20, 150, 150, 250, 120};
    for (const auto& w : windows) {
        show(w.window);
        EXPECT_EQ(w.window->windowTitle(), QString::fromUtf8(w.title));
        EXPECT_EQ(w.window->size(), w.size);
        QTableView* view = list(w.window);
        EXPECT_EQ(view->geometry(), QRect(0, 0, w.listWidth, 321));
        EXPECT_EQ(view->selectionMode(), w.selection);
        EXPECT_EQ(view->selectionBehavior(), QAbstractItemView::SelectRows);
        EXPECT_EQ(view->editTriggers(), QAbstractItemView::NoEditTriggers);
        EXPECT_TRUE(view->showGrid());
        for (int i = 0; i < captions.size(); ++i) {
            EXPECT_EQ(view->model()->headerData(i, Qt::Horizontal).toString(), captions[i]);
            EXPECT_EQ(view->columnWidth(i), widths[i]);
        }
        w.window->close();
    }
    expectButtons(&open, {{"Search", "条件絞込み", 40, 329},
                          {"Clear", "絞込み解除", 126, 329},
                          {"Delete", "削除", 212, 329},
                          {"Open", "開く", 640, 329},
                          {"Close", "閉じる", 731, 329}});
    expectButtons(&listSave, {{"Delete", "削除", 41, 334},
                              {"New", "新規保存", 561, 334},
                              {"Over", "上書き保存", 647, 334},
                              {"Close", "閉じる", 733, 334}});
    expectButtons(&totalClaim, {{"Search", "条件絞込み", 40, 329},
                                {"Clear", "絞込み解除", 126, 329},
                                {"OK", "OK", 640, 329},
                                {"Close", "閉じる", 731, 329}});
}

TEST_F(FileWindowsTest, SaveAndSearchWindowsHaveTheirControls) {
    TThEstimateObjectList document;
    TFormSave save;
    save.Bind(document, data(), {}, {});
    show(&save);
    EXPECT_EQ(save.windowTitle(), "保存");
    EXPECT_EQ(save.size(), QSize(441, 161));
    EXPECT_EQ(control<QWidget>(&save, "EdtFileName")->geometry().topLeft(), QPoint(112, 22));
    EXPECT_EQ(control<QWidget>(&save, "EdtFileName")->width(), 185);
    EXPECT_EQ(control<QWidget>(&save, "EdtComment")->geometry().topLeft(), QPoint(112, 78));
    EXPECT_EQ(control<QWidget>(&save, "EdtComment")->width(), 313);
    expectButtons(&save, {{"OK", "保存する", 221, 120}, {"Cancel", "キャンセル", 325, 120}});

    TFormSearchFile search;
    show(&search);
    EXPECT_EQ(search.windowTitle(), "条件絞込み");
    EXPECT_EQ(search.size(), QSize(484, 136));
    const struct {
        const char* name;
        QPoint at;
        int width;
    } controls[] = {
        {"CBHead", {16, 40}, 145},
        {"EdtWord", {208, 40}, 201},
        {"CBMode", {208, 40}, 201},
    };
    for (const auto& c : controls) {
        EXPECT_EQ(control<QWidget>(&search, c.name)->pos(), c.at) << c.name;
        EXPECT_EQ(control<QWidget>(&search, c.name)->width(), c.width) << c.name;
    }
    EXPECT_EQ(control<QWidget>(&search, "DateTimePicker1")->x(), 386);
    EXPECT_EQ(control<QWidget>(&search, "LblChange")->pos(), QPoint(424, 42));
    expectButtons(&search, {{"Search", "絞り込む", 284, 88}, {"Close", "閉じる", 378, 88}});
}

}  // namespace
