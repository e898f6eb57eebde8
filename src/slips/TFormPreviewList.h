#pragma once

#include <QDialog>
#include <QImage>
#include <memory>
#include <optional>

#include "MasterListSlip.h"
#include "TFormPreviewMitsu.h"

namespace Ui {
class TFormPreviewList;
}

// "プレビュー" of a master list: its pages one at a time as the printer gets them, with zoom
// from 100 % to 200 % and the shown page saved as BMP or JPEG.
class TFormPreviewList : public QDialog {
    Q_OBJECT

  public:
    using SaveDialog = TFormPreviewMitsu::SaveDialog;

    explicit TFormPreviewList(QWidget* parent = nullptr);
    ~TFormPreviewList() override;

    // Keeps the list and shows the window modally from page 1.
    void ShowPreview(const TMasterListSource& source, TSlipResolution dpi);
    // ShowPreview without showing, for a caller that shows the window itself.
    void Prepare(const TMasterListSource& source, TSlipResolution dpi);

    int CurrentPage() const { return current_; }
    int PageCount() const { return total_; }
    // The page at its on-screen size, as the export buttons save it.
    const QImage& ShownImage() const { return shown_; }

    void SetBmpDialog(SaveDialog dialog) { bmpDialog_ = std::move(dialog); }
    void SetJpgDialog(SaveDialog dialog) { jpgDialog_ = std::move(dialog); }

  protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void FormShow();
    void BtnPrevClick();
    void BtnNextClick();
    void CBBaiChange(int index);
    void RefreshPreview();
    void UpdatePageButtons();
    void ShowPageNumber();

    std::unique_ptr<Ui::TFormPreviewList> ui_;
    std::optional<TMasterListSource> source_;
    TSlipResolution dpi_;
    int current_ = 1;
    int total_ = 1;
    double zoom_ = 1.0;
    QImage shown_;
    SaveDialog bmpDialog_ = &TFormPreviewMitsu::AskBmpFile;
    SaveDialog jpgDialog_ = &TFormPreviewMitsu::AskJpgFile;
};
