#pragma once

#include <QDialog>
#include <memory>

#include "PictureChoice.h"

class TThCampanyInfo;
class TThCampanyInfoManager;

namespace Ui {
class TFormSenderConf;
}

// "自社情報の登録": the three sender profiles, one on screen at a time, with their logo
// (社判), company seal (会社印) and its printed size and positions. It works on the caller's
// live profiles: a profile is stored when another one is chosen and at OK, each time only
// after every field has been checked; the caller saves them after OK and reloads them after
// Cancel. The profile on screen stays from one opening to the next.
class TFormSenderConf : public QDialog {
    Q_OBJECT

  public:
    enum ModalResult { ResultOK = 1, ResultCancel = 2 };

    explicit TFormSenderConf(QWidget* parent = nullptr);
    ~TFormSenderConf() override;

    // Fills the controls from the profile on screen and shows 基本情報; Execute then shows
    // the window modally and returns the ModalResult.
    void Bind(TThCampanyInfoManager& manager);
    int Execute(TThCampanyInfoManager& manager);
    // Shows the registration number field of a qualified-invoice issuer; hidden by default.
    void SetQualifiedInvoice(bool on);

    // 1 to 3.
    int ProfileOnScreen() const { return profile_; }

    void SetPictureDialog(PictureChoice::Dialog dialog) { pictureDialog_ = std::move(dialog); }

    // Escape and the window manager's close give Cancel.
    void reject() override;

  private:
    TThCampanyInfo& Profile() const;
    void FillControls();
    // False, after telling the user and focusing the field, when a field cannot be stored.
    bool CheckControls();
    bool CheckRegistrationNo();
    void StoreControls();

    void RBCustomerInfoClick(int number);
    void CBStampUseClick();
    void BtnOKClick();
    void ChoosePicture(bool logo);
    void DeletePicture(bool logo);
    // The frame shows picture; its check box and 画像を削除 are usable only with a picture.
    void ShowPicture(bool logo, const QImage& picture);

    std::unique_ptr<Ui::TFormSenderConf> ui_;
    TThCampanyInfoManager* manager_ = nullptr;
    int profile_ = 1;
    PictureChoice::Dialog pictureDialog_ = &PictureChoice::Ask;
};
