#include "TFormPreviewList.h"

#include <QShowEvent>

#include "PreviewPicture.h"
#include "SlipLayout.h"
#include "TPngButton.h"
#include "ui_TFormPreviewList.h"

TFormPreviewList::TFormPreviewList(QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::TFormPreviewList>()) {
    ui_->setupUi(this);
    QFont pages = ui_->LblPages->font();
    pages.setPixelSize(15);
    ui_->LblPages->setFont(pages);
    PreparePreviewBox(*ui_->ScrollBox1, *ui_->ScrollContent);
    FillZoomList(*ui_->CBBai);

    const struct {
        QPushButton* button;
        TPngButton* picture;
        void (TFormPreviewList::*handler)();
    } buttons[] = {
        {ui_->BtnPrev, ui_->pngBtnPrev, &TFormPreviewList::BtnPrevClick},
        {ui_->BtnNext, ui_->pngBtnNext, &TFormPreviewList::BtnNextClick},
    };
    for (const auto& [button, picture, handler] : buttons) {
        button->hide();
        picture->SetStandardButton(button);
        connect(button, &QPushButton::clicked, this, handler);
    }
    for (QPushButton* button : {ui_->BtnBmp, ui_->BtnJpg}) {
        button->hide();
    }
    ui_->pngBtnBMP->SetStandardButton(ui_->BtnBmp);
    ui_->pngBtnJpg->SetStandardButton(ui_->BtnJpg);
    connect(ui_->BtnBmp, &QPushButton::clicked, this,
            [this] { TFormPreviewMitsu::SaveImage(this, shown_, bmpDialog_, "BMP"); });
    connect(ui_->BtnJpg, &QPushButton::clicked, this,
            [this] { TFormPreviewMitsu::SaveImage(this, shown_, jpgDialog_, "JPG"); });
    connect(ui_->CBBai, &QComboBox::activated, this, &TFormPreviewList::CBBaiChange);
    ui_->ScrollBox1->installEventFilter(this);
    ui_->ScrollBox1->viewport()->installEventFilter(this);
}

TFormPreviewList::~TFormPreviewList() = default;

void TFormPreviewList::Prepare(const TMasterListSource& source, TSlipResolution dpi) {
    source_.emplace(source);
    dpi_ = dpi;
}

void TFormPreviewList::ShowPreview(const TMasterListSource& source, TSlipResolution dpi) {
    Prepare(source, dpi);
    exec();
}

void TFormPreviewList::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) {
        FormShow();
    }
}

void TFormPreviewList::FormShow() {
    current_ = 1;
    total_ = source_ ? SlipPageCount(*source_) : 1;
    ui_->CBBai->setCurrentIndex(0);
    zoom_ = 1.0;
    ShowPageNumber();
    UpdatePageButtons();
    RefreshPreview();
}

void TFormPreviewList::ShowPageNumber() {
    ui_->LblPages->setText(PageNumberText(current_, total_));
}

void TFormPreviewList::UpdatePageButtons() {
    ui_->BtnPrev->setEnabled(current_ > 1);
    ui_->BtnNext->setEnabled(current_ < total_);
}

void TFormPreviewList::RefreshPreview() {
    if (!source_) {
        return;
    }
    // The lists are portrait.
    const QRect at = PreviewImageRect(ui_->ScrollBox1->maximumViewportSize(), zoom_, false);
    PlacePreviewImage(*ui_->ScrollBox1, *ui_->ImgPreview, at);
    shown_ = PreviewImage(DrawListPage(*source_, current_, total_, dpi_), at.size());
    ui_->ImgPreview->setPixmap(QPixmap::fromImage(shown_));
}

void TFormPreviewList::BtnPrevClick() {
    --current_;
    ShowPageNumber();
    UpdatePageButtons();
    RefreshPreview();
}

void TFormPreviewList::BtnNextClick() {
    ++current_;
    ShowPageNumber();
    UpdatePageButtons();
    RefreshPreview();
}

void TFormPreviewList::CBBaiChange(int index) {
    zoom_ = ZoomOf(index);
    RefreshPreview();
}

bool TFormPreviewList::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ui_->ScrollBox1 && event->type() == QEvent::Resize) {
        try {
            RefreshPreview();
        } catch (...) {
            // A page that cannot be drawn while resizing shows again at the next refresh.
        }
    }
    if (watched == ui_->ScrollBox1->viewport() && ScrollPreviewByWheel(*ui_->ScrollBox1, event)) {
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
