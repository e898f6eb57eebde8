#pragma once

#include <QDialog>
#include <QImage>
#include <functional>
#include <memory>
#include <optional>

#include "RenderSlipPage.h"
#include "TPrintOptions.h"
#include "TSlipKind.h"

class QFileDialog;
class TThCampanyInfo;
class TThConfigInfo;
class TThEstimateObjectList;

namespace Ui {
class TFormPreviewMitsu;
}

// "プレビュー": the sheets of a main slip one at a time, as the printer gets them (the copy
// run included), with zoom from 100 % to 200 % and the shown page saved as BMP or JPEG.
class TFormPreviewMitsu : public QDialog {
    Q_OBJECT

  public:
    // Asks for the picture file, starting in folder; empty when the user cancels.
    using SaveDialog = std::function<QString(QWidget* parent, const QString& folder)>;

    explicit TFormPreviewMitsu(QWidget* parent = nullptr);
    ~TFormPreviewMitsu() override;

    // Keeps the slip (the options are copied) and shows the window modally from page 1.
    void ShowPreview(const TSlipSource& source, bool isA4, TSlipResolution dpi);
    // ShowPreview without showing, for a caller that shows the window itself.
    void Prepare(const TSlipSource& source, bool isA4, TSlipResolution dpi);

    int CurrentPage() const { return current_; }
    int PageCount() const { return total_; }
    // The page at its on-screen size, as the export buttons save it.
    const QImage& ShownImage() const { return shown_; }

    void SetBmpDialog(SaveDialog dialog) { bmpDialog_ = std::move(dialog); }
    void SetJpgDialog(SaveDialog dialog) { jpgDialog_ = std::move(dialog); }
    // The save dialogs: filter, default suffix, overwrite question.
    static std::unique_ptr<QFileDialog> PictureFileDialog(QWidget* parent, const QString& folder,
                                                          const QString& filter,
                                                          const QString& suffix);
    static QString AskBmpFile(QWidget* parent, const QString& folder);
    static QString AskJpgFile(QWidget* parent, const QString& folder);
    // Asks for a file through dialog and writes image there in format ("BMP", "JPG"); a
    // failure is told and leaves no file.
    static void SaveImage(QWidget* parent, const QImage& image, const SaveDialog& dialog,
                          const char* format);

  protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void FormShow();
    void BtnPrevClick();
    void BtnNextClick();
    void CBBaiChange(int index);
    void BtnBmpClick();
    void BtnJpgClick();
    void RefreshPreview();
    void UpdatePageButtons();
    void ShowPageNumber();

    std::unique_ptr<Ui::TFormPreviewMitsu> ui_;
    const TThEstimateObjectList* document_ = nullptr;
    const TThConfigInfo* config_ = nullptr;
    const TThCampanyInfo* profile_ = nullptr;
    TPrintOptions options_;
    TSlipKind kind_ = skMitsu;
    bool isA4_ = true;
    TSlipResolution dpi_;
    int current_ = 1;
    int total_ = 1;
    double zoom_ = 1.0;
    QImage shown_;
    SaveDialog bmpDialog_ = &TFormPreviewMitsu::AskBmpFile;
    SaveDialog jpgDialog_ = &TFormPreviewMitsu::AskJpgFile;
};
