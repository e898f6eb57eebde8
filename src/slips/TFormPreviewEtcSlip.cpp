#include "TFormPreviewEtcSlip.h"

#include <QShowEvent>

#include "PreviewPicture.h"
#include "TFormPreviewMitsu.h"
#include "TPngButton.h"
#include "ui_TFormPreviewEtcSlip.h"

TFormPreviewEtcSlip::TFormPreviewEtcSlip(QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::TFormPreviewEtcSlip>()) {
    ui_->setupUi(this);
    PreparePreviewBox(*ui_->ScrollBox1, *ui_->ScrollContent);
    FillZoomList(*ui_->CBBai);

    const struct {
        QPushButton* button;
        TPngButton* picture;
        void (TFormPreviewEtcSlip::*handler)();
    } buttons[] = {
        {ui_->BtnBmp, ui_->pngBtnBMP, &TFormPreviewEtcSlip::BtnBmpClick},
        {ui_->BtnJpg, ui_->pngBtnJpg, &TFormPreviewEtcSlip::BtnJpgClick},
    };
    for (const auto& [button, picture, handler] : buttons) {
        button->hide();
        picture->SetStandardButton(button);
        connect(button, &QPushButton::clicked, this, handler);
    }
    connect(ui_->CBBai, &QComboBox::activated, this, &TFormPreviewEtcSlip::CBBaiChange);
    ui_->ScrollBox1->installEventFilter(this);
    ui_->ScrollBox1->viewport()->installEventFilter(this);
}

TFormPreviewEtcSlip::~TFormPreviewEtcSlip() = default;

void TFormPreviewEtcSlip::Prepare(TSheetRenderer render, bool isA4, TSlipResolution dpi) {
    render_ = std::move(render);
    isA4_ = isA4;
    dpi_ = dpi;
}

void TFormPreviewEtcSlip::ShowPreview(TSheetRenderer render, bool isA4, TSlipResolution dpi) {
    Prepare(std::move(render), isA4, dpi);
    exec();
}

void TFormPreviewEtcSlip::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) {
        FormShow();
    }
}

void TFormPreviewEtcSlip::FormShow() {
    ui_->CBBai->setCurrentIndex(0);
    zoom_ = 1.0;
    RefreshPreview();
}

void TFormPreviewEtcSlip::RefreshPreview() {
    if (!render_) {
        return;
    }
    // These sheets are all portrait.
    const QRect at = PreviewImageRect(ui_->ScrollBox1->maximumViewportSize(), zoom_, false);
    PlacePreviewImage(*ui_->ScrollBox1, *ui_->ImgPreview, at);
    shown_ = PreviewImage(render_(isA4_, dpi_), at.size());
    ui_->ImgPreview->setPixmap(QPixmap::fromImage(shown_));
}

void TFormPreviewEtcSlip::CBBaiChange(int index) {
    zoom_ = ZoomOf(index);
    RefreshPreview();
}

bool TFormPreviewEtcSlip::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ui_->ScrollBox1 && event->type() == QEvent::Resize) {
        try {
            RefreshPreview();
        } catch (...) {
            // A sheet that cannot be drawn while resizing shows again at the next refresh.
        }
    }
    if (watched == ui_->ScrollBox1->viewport() && ScrollPreviewByWheel(*ui_->ScrollBox1, event)) {
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TFormPreviewEtcSlip::BtnBmpClick() {
    TFormPreviewMitsu::SaveImage(this, shown_, bmpDialog_, "BMP");
}

void TFormPreviewEtcSlip::BtnJpgClick() {
    TFormPreviewMitsu::SaveImage(this, shown_, jpgDialog_, "JPG");
}
