#include "TFormPreviewMitsu.h"

#include <QFileDialog>
#include <QShowEvent>

#include "PreviewPicture.h"
#include "SlipLayout.h"
#include "SlipPrintRun.h"
#include "StartFolders.h"
#include "TPngButton.h"
#include "ui_TFormPreviewMitsu.h"

TFormPreviewMitsu::TFormPreviewMitsu(QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::TFormPreviewMitsu>()) {
    ui_->setupUi(this);
    QFont pages = ui_->LblPages->font();
    pages.setPixelSize(15);
    ui_->LblPages->setFont(pages);
    PreparePreviewBox(*ui_->ScrollBox1, *ui_->ScrollContent);
    FillZoomList(*ui_->CBBai);

    const struct {
        QPushButton* button;
        TPngButton* picture;
        void (TFormPreviewMitsu::*handler)();
    } buttons[] = {
        {ui_->BtnPrev, ui_->pngBtnPrev, &TFormPreviewMitsu::BtnPrevClick},
        {ui_->BtnNext, ui_->pngBtnNext, &TFormPreviewMitsu::BtnNextClick},
        {ui_->BtnBmp, ui_->pngBtnBMP, &TFormPreviewMitsu::BtnBmpClick},
        {ui_->BtnJpg, ui_->pngBtnJpg, &TFormPreviewMitsu::BtnJpgClick},
    };
    for (const auto& [button, picture, handler] : buttons) {
        button->hide();
        picture->SetStandardButton(button);
        connect(button, &QPushButton::clicked, this, handler);
    }
    connect(ui_->CBBai, &QComboBox::activated, this, &TFormPreviewMitsu::CBBaiChange);
    ui_->ScrollBox1->installEventFilter(this);
    ui_->ScrollBox1->viewport()->installEventFilter(this);
}

TFormPreviewMitsu::~TFormPreviewMitsu() = default;

void TFormPreviewMitsu::Prepare(const TSlipSource& source, bool isA4, TSlipResolution dpi) {
    document_ = &source.Document;
    config_ = &source.Config;
    profile_ = &source.Profile;
    options_ = source.Options;
    kind_ = source.Kind;
    isA4_ = isA4;
    dpi_ = dpi;
}

void TFormPreviewMitsu::ShowPreview(const TSlipSource& source, bool isA4, TSlipResolution dpi) {
    Prepare(source, isA4, dpi);
    exec();
}

void TFormPreviewMitsu::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) {
        FormShow();
    }
}

void TFormPreviewMitsu::FormShow() {
    current_ = 1;
    const TSlipSource source{*document_, *config_, *profile_, options_, kind_};
    total_ = static_cast<int>(SlipSheets(SlipPageCount(source), options_.PrintCopy).size());
    ui_->CBBai->setCurrentIndex(0);
    zoom_ = 1.0;
    ShowPageNumber();
    UpdatePageButtons();
    RefreshPreview();
}

void TFormPreviewMitsu::ShowPageNumber() {
    ui_->LblPages->setText(PageNumberText(current_, total_));
}

void TFormPreviewMitsu::UpdatePageButtons() {
    ui_->BtnPrev->setEnabled(current_ > 1);
    ui_->BtnNext->setEnabled(current_ < total_);
}

void TFormPreviewMitsu::RefreshPreview() {
    if (document_ == nullptr) {
        return;
    }
    const QRect at =
        PreviewImageRect(ui_->ScrollBox1->maximumViewportSize(), zoom_, options_.Landscape);
    PlacePreviewImage(*ui_->ScrollBox1, *ui_->ImgPreview, at);

    const TSlipSource source{*document_, *config_, *profile_, options_, kind_};
    const int m = SlipPageCount(source);
    const TSlipSheet sheet =
        SlipSheets(m, options_.PrintCopy).at(static_cast<size_t>(current_ - 1));
    shown_ = PreviewImage(
        RenderSlipPage(source, sheet.PageKind, isA4_, sheet.Copy, sheet.Number, m, dpi_),
        at.size());
    ui_->ImgPreview->setPixmap(QPixmap::fromImage(shown_));
}

void TFormPreviewMitsu::BtnPrevClick() {
    --current_;
    ShowPageNumber();
    UpdatePageButtons();
    RefreshPreview();
}

void TFormPreviewMitsu::BtnNextClick() {
    ++current_;
    ShowPageNumber();
    UpdatePageButtons();
    RefreshPreview();
}

void TFormPreviewMitsu::CBBaiChange(int index) {
    zoom_ = ZoomOf(index);
    RefreshPreview();
}

bool TFormPreviewMitsu::eventFilter(QObject* watched, QEvent* event) {
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

std::unique_ptr<QFileDialog> TFormPreviewMitsu::PictureFileDialog(QWidget* parent,
                                                                  const QString& folder,
                                                                  const QString& filter,
                                                                  const QString& suffix) {
    auto dialog = std::make_unique<QFileDialog>(parent, QString(), folder, filter);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setFileMode(QFileDialog::AnyFile);
    dialog->setDefaultSuffix(suffix);
    return dialog;
}

namespace {

QString Ask(std::unique_ptr<QFileDialog> dialog) {
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) {
        return {};
    }
    return dialog->selectedFiles().first();
}

}  // namespace

QString TFormPreviewMitsu::AskBmpFile(QWidget* parent, const QString& folder) {
    return Ask(PictureFileDialog(parent, folder, QStringLiteral("BMPファイル(*.bmp)"),
                                 QStringLiteral("bmp")));
}

QString TFormPreviewMitsu::AskJpgFile(QWidget* parent, const QString& folder) {
    // "*jpeg" lacked its dot; both suffixes are offered.
    return Ask(PictureFileDialog(parent, folder, QStringLiteral("JPEGファイル(*.jpg *.jpeg)"),
                                 QStringLiteral("jpg")));
}

void TFormPreviewMitsu::SaveImage(QWidget* parent, const QImage& image, const SaveDialog& dialog,
                                  const char* format) {
    const QString path = dialog(parent, StartFolders::Export());
    if (!path.isEmpty()) {
        SavePreviewPicture(parent, image, path, format);
    }
}

void TFormPreviewMitsu::BtnBmpClick() {
    SaveImage(this, shown_, bmpDialog_, "BMP");
}

void TFormPreviewMitsu::BtnJpgClick() {
    SaveImage(this, shown_, jpgDialog_, "JPG");
}
