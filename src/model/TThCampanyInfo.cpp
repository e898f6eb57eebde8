#include "TThCampanyInfo.h"

namespace {

using P = TThCampanyInfo;
using Key = SettingKey<P>;

}  // namespace

TThCampanyInfo::TThCampanyInfo() {
    ApplyDefaults(*this, TextKeys());
    ApplyDefaults(*this, OptionKeys());
    ApplyDefaults(*this, ExtensionKeys());
}

const std::vector<SettingKey<TThCampanyInfo>>& TThCampanyInfo::TextKeys() {
    static const std::vector<Key> keys = {
        {"ZipNo", &P::ZipNo, QString()},
        {"Address1", &P::Address1, QString()},
        {"Address2", &P::Address2, QString()},
        {"CampanyName1", &P::CampanyName1, QString()},
        {"CampanyName2", &P::CampanyName2, QString()},
        {"CampanyName3", &P::CampanyName3, QString()},
        {"ChargeName", &P::ChargeName, QString()},
        {"TelFax", &P::TelFax, QString()},
    };
    return keys;
}

const std::vector<SettingKey<TThCampanyInfo>>& TThCampanyInfo::ExtensionKeys() {
    static const std::vector<Key> keys = {
        {"RegistrationNo", &P::RegistrationNo, QString(), true, true},
    };
    return keys;
}

const std::vector<SettingKey<TThCampanyInfo>>& TThCampanyInfo::OptionKeys() {
    static const std::vector<Key> keys = {
        {"UseLogoImage", &P::UseLogoImage, false},
        {"UseCampanyStamp", &P::UseCampanyStamp, false},
        {"CampanyStampWidth_A4", &P::CampanyStampWidth_A4, 25.0},
        {"CampanyStampHeight_A4", &P::CampanyStampHeight_A4, 25.0},
        {"CampanyStampDetailPosX_A4", &P::CampanyStampDetailPosX_A4, 140.0},
        {"CampanyStampDetailPosY_A4", &P::CampanyStampDetailPosY_A4, 46.0},
        {"CampanyStampTotalClaimPosX_A4", &P::CampanyStampTotalClaimPosX_A4, 140.0},
        {"CampanyStampTotalClaimPosY_A4", &P::CampanyStampTotalClaimPosY_A4, 32.0},
        {"CampanyStampPosReceiptPosX_A4", &P::CampanyStampPosReceiptPosX_A4, 95.0},
        {"CampanyStampPosReceiptPosY_A4", &P::CampanyStampPosReceiptPosY_A4, 65.0},
        {"CampanyStampPosFaxSenderPosX_A4", &P::CampanyStampPosFaxSenderPosX_A4, 125.0},
        {"CampanyStampPosFaxSenderPosY_A4", &P::CampanyStampPosFaxSenderPosY_A4, 90.0},
        {"CampanyStampWidth_B5", &P::CampanyStampWidth_B5, 21.75},
        {"CampanyStampHeight_B5", &P::CampanyStampHeight_B5, 21.75},
        {"CampanyStampDetailPosX_B5", &P::CampanyStampDetailPosX_B5, 121.8},
        {"CampanyStampDetailPosY_B5", &P::CampanyStampDetailPosY_B5, 40.0},
        {"CampanyStampTotalClaimPosX_B5", &P::CampanyStampTotalClaimPosX_B5, 121.8},
        {"CampanyStampTotalClaimPosY_B5", &P::CampanyStampTotalClaimPosY_B5, 27.84},
        {"CampanyStampPosReceiptPosX_B5", &P::CampanyStampPosReceiptPosX_B5, 82.65},
        {"CampanyStampPosReceiptPosY_B5", &P::CampanyStampPosReceiptPosY_B5, 56.55},
        {"CampanyStampPosFaxSenderPosX_B5", &P::CampanyStampPosFaxSenderPosX_B5, 108.75},
        {"CampanyStampPosFaxSenderPosY_B5", &P::CampanyStampPosFaxSenderPosY_B5, 78.3},
    };
    return keys;
}
