#pragma once

#include <QImage>
#include <QString>
#include <array>
#include <vector>

#include "SettingKey.h"

// One bank account for transfers.
struct TThPayBankAccount {
    QString BankName;
    QString BankNo;
    QString OwnerName;
};

// One sender profile: the user's own company as printed on slips. Stored in section
// CAMPANY_INFO<p> of "conf.ini" with its logo<p>.bmp and stamp<p>.bmp pictures.
class TThCampanyInfo {
  public:
    static constexpr int BankAccountCount = 2;

    TThCampanyInfo();

    QString ZipNo;
    QString Address1;
    QString Address2;
    QString CampanyName1;
    QString CampanyName2;
    QString CampanyName3;
    QString ChargeName;
    QString TelFax;
    // Qualified-invoice registration number as the user typed it; empty when not registered.
    QString RegistrationNo;
    bool UseLogoImage;
    QImage LogoImage;
    bool UseCampanyStamp;
    QImage StampImage;

    // Company seal geometry in millimetres from the sheet's top-left corner; all A4 values,
    // then all B5 values. These and the texts get the defaults of their key tables in the
    // constructor.
    double CampanyStampWidth_A4;
    double CampanyStampHeight_A4;
    double CampanyStampDetailPosX_A4;
    double CampanyStampDetailPosY_A4;
    double CampanyStampTotalClaimPosX_A4;
    double CampanyStampTotalClaimPosY_A4;
    double CampanyStampPosReceiptPosX_A4;
    double CampanyStampPosReceiptPosY_A4;
    double CampanyStampPosFaxSenderPosX_A4;
    double CampanyStampPosFaxSenderPosY_A4;
    double CampanyStampWidth_B5;
    double CampanyStampHeight_B5;
    double CampanyStampDetailPosX_B5;
    double CampanyStampDetailPosY_B5;
    double CampanyStampTotalClaimPosX_B5;
    double CampanyStampTotalClaimPosY_B5;
    double CampanyStampPosReceiptPosX_B5;
    double CampanyStampPosReceiptPosY_B5;
    double CampanyStampPosFaxSenderPosX_B5;
    double CampanyStampPosFaxSenderPosY_B5;

    TThPayBankAccount& BankAccount(int index) { return accounts_.at(static_cast<size_t>(index)); }
    const TThPayBankAccount& BankAccount(int index) const {
        return accounts_.at(static_cast<size_t>(index));
    }

    // The texts of the section before the bank accounts.
    static const std::vector<SettingKey<TThCampanyInfo>>& TextKeys();
    // UseLogoImage, UseCampanyStamp and the twenty geometry values, with their defaults.
    static const std::vector<SettingKey<TThCampanyInfo>>& OptionKeys();
    // The keys of optional features, written only once they leave their defaults.
    static const std::vector<SettingKey<TThCampanyInfo>>& ExtensionKeys();

  private:
    std::array<TThPayBankAccount, BankAccountCount> accounts_;
};
