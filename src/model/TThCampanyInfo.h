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
    bool UseLogoImage = false;
    QImage LogoImage;
    bool UseCampanyStamp = false;
    QImage StampImage;

    // Company seal geometry in millimetres from the sheet's top-left corner; all A4 values,
    // then all B5 values.
    double CampanyStampWidth_A4 = 0;
    double CampanyStampHeight_A4 = 0;
    double CampanyStampDetailPosX_A4 = 0;
    double CampanyStampDetailPosY_A4 = 0;
    double CampanyStampTotalClaimPosX_A4 = 0;
    double CampanyStampTotalClaimPosY_A4 = 0;
    double CampanyStampPosReceiptPosX_A4 = 0;
    double CampanyStampPosReceiptPosY_A4 = 0;
    double CampanyStampPosFaxSenderPosX_A4 = 0;
    double CampanyStampPosFaxSenderPosY_A4 = 0;
    double CampanyStampWidth_B5 = 0;
    double CampanyStampHeight_B5 = 0;
    double CampanyStampDetailPosX_B5 = 0;
    double CampanyStampDetailPosY_B5 = 0;
    double CampanyStampTotalClaimPosX_B5 = 0;
    double CampanyStampTotalClaimPosY_B5 = 0;
    double CampanyStampPosReceiptPosX_B5 = 0;
    double CampanyStampPosReceiptPosY_B5 = 0;
    double CampanyStampPosFaxSenderPosX_B5 = 0;
    double CampanyStampPosFaxSenderPosY_B5 = 0;

    TThPayBankAccount& BankAccount(int index) { return accounts_.at(static_cast<size_t>(index)); }
    const TThPayBankAccount& BankAccount(int index) const {
        return accounts_.at(static_cast<size_t>(index));
    }

    // The texts of the section before the bank accounts.
    static const std::vector<SettingKey<TThCampanyInfo>>& TextKeys();
    // UseLogoImage, UseCampanyStamp and the twenty geometry values, with their defaults.
    static const std::vector<SettingKey<TThCampanyInfo>>& OptionKeys();

  private:
    std::array<TThPayBankAccount, BankAccountCount> accounts_;
};
