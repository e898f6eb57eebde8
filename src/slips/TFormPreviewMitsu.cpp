#include "TFormPreviewMitsu.h"

#include <QBuffer>
#include <QFileDialog>
#include <QPainter>
#include <QScrollBar>
#include <QShowEvent>
#include <QWheelEvent>
#include <cmath>

#include "Messages.h"
#include "ModelError.h"
#include "SaveFile.h"
#include "SlipLayout.h"
#include "SlipPrintRun.h"
#include "StartFolders.h"
#include "TPngButton.h"
#include "ui_TFormPreviewMitsu.h"

namespace {

int Round(double v) {
    return static_cast<int>(std::lround(v));
}

}  // namespace

TFormPreviewMitsu::TFormPreviewMitsu(QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::TFormPreviewMitsu>()) {
    ui_->setupUi(this);
    QFont pages = ui_->LblPages->font();
    pages.setPixelSize(15);
    ui_->LblPages->setFont(pages);
    QPalette black = ui_->ScrollBox1->palette();
    black.setColor(QPalette::Window, Qt::black);
    ui_->ScrollBox1->setPalette(black);
    ui_->ScrollBox1->setBackgroundRole(QPalette::Window);
    ui_->ScrollContent->setAutoFillBackground(false);
    for (int percent = 100; percent <= 200; percent += 10) {
        ui_->CBBai->addItem(QStringLiteral("%1%").arg(percent));
    }

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
    const QSize box = ui_->ScrollBox1->maximumViewportSize();
    const int w = box.width();
    const int h = box.height();
    int width = 0;
    int height = 0;
    int left = 0;
    int top = 0;
    if (options_.Landscape) {
        width = Round(w * zoom_);
        height = Round(width / 1.414);
        top = Round(h / 2.0) - Round(height / 2.0);
    } else {
        height = Round(h * zoom_);
        width = Round(height / 1.414);
        left = Round(w / 2.0) - Round(width / 2.0);
    }
    left = std::max(0, left);
    top = std::max(0, top);
    // The scroll area's content holds the page; scrolling moves the content, not the page.
    ui_->ScrollContent->resize(std::max(w, left + width), std::max(h, top + height));
    ui_->ImgPreview->setGeometry(left, top, width, height);

    const TSlipSource source{*document_, *config_, *profile_, options_, kind_};
    const int m = SlipPageCount(source);
    const TSlipSheet sheet =
        SlipSheets(m, options_.PrintCopy).at(static_cast<size_t>(current_ - 1));
    const TSlipPagePicture page =
        RenderSlipPage(source, sheet.PageKind, isA4_, sheet.Copy, sheet.Number, m, dpi_);
    shown_ = QImage(std::max(1, width), std::max(1, height), QImage::Format_RGB32);
    shown_.fill(Qt::white);
    QPainter painter(&shown_);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    DrawSlipPage(painter, page, shown_.size());
    painter.end();
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
    zoom_ = index / 10.0 + 1;
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
    if (watched == ui_->ScrollBox1->viewport() && event->type() == QEvent::Wheel) {
        const int notches = static_cast<QWheelEvent*>(event)->angleDelta().y() / 120;
        QScrollBar* bar = ui_->ScrollBox1->verticalScrollBar();
        bar->setValue(bar->value() - 5 * notches);
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
    if (path.isEmpty()) {
        return;
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    try {
        if (!image.save(&buffer, format)) {
            throw EFileError(QStringLiteral("画像を「%1」に書き出せませんでした。").arg(path));
        }
        SaveFileAtomically(path, bytes);
    } catch (const EModelError& error) {
        Messages::Error(parent, error.message());
    }
}

void TFormPreviewMitsu::BtnBmpClick() {
    SaveImage(this, shown_, bmpDialog_, "BMP");
}

void TFormPreviewMitsu::BtnJpgClick() {
    SaveImage(this, shown_, jpgDialog_, "JPG");
}
