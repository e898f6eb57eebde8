#pragma once

#include <QDialog>
#include <QImage>
#include <memory>

#include "TFormPreviewMitsu.h"
#include "TMainSlipOutput.h"

namespace Ui {
class TFormPreviewEtcSlip;
}

// "プレビュー" of the one-sheet slips (receipt, total invoice, fax cover): the sheet as the
// printer gets it, with zoom from 100 % to 200 % and the shown picture saved as BMP or JPEG.
class TFormPreviewEtcSlip : public QDialog {
    Q_OBJECT

  public:
    using SaveDialog = TFormPreviewMitsu::SaveDialog;

    explicit TFormPreviewEtcSlip(QWidget* parent = nullptr);
    ~TFormPreviewEtcSlip() override;

    // Keeps the drawing of the sheet and shows the window modally at 100 %.
    void ShowPreview(TSheetRenderer render, bool isA4, TSlipResolution dpi);
    // ShowPreview without showing, for a caller that shows the window itself.
    void Prepare(TSheetRenderer render, bool isA4, TSlipResolution dpi);

    // The sheet at its on-screen size, as the export buttons save it.
    const QImage& ShownImage() const { return shown_; }

    void SetBmpDialog(SaveDialog dialog) { bmpDialog_ = std::move(dialog); }
    void SetJpgDialog(SaveDialog dialog) { jpgDialog_ = std::move(dialog); }

  protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void FormShow();
    void CBBaiChange(int index);
    void BtnBmpClick();
    void BtnJpgClick();
    void RefreshPreview();

    std::unique_ptr<Ui::TFormPreviewEtcSlip> ui_;
    TSheetRenderer render_;
    bool isA4_ = true;
    TSlipResolution dpi_;
    double zoom_ = 1.0;
    QImage shown_;
    SaveDialog bmpDialog_ = &TFormPreviewMitsu::AskBmpFile;
    SaveDialog jpgDialog_ = &TFormPreviewMitsu::AskJpgFile;
};
