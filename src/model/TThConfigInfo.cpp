#include "TThConfigInfo.h"

#include "LoadFailures.h"
#include "PictureFile.h"

namespace {

using C = TThConfigInfo;
using Key = SettingKey<C>;

}  // namespace

const std::vector<SettingKey<TThConfigInfo>>& TThConfigInfo::Keys() {
    static const std::vector<Key> keys = {
        {"TAX", &C::TAX, Currency::fromUnits(5)},
        {"MONETARY", &C::MONETARY, QStringLiteral("￥")},
        {"PRINTCUSCODE", &C::PRINTCUSCODE, true},
        {"NOTAXNOSUB", &C::NOTAXNOSUB, true},
        {"EXITALERT", &C::EXITALERT, true},
        {"OPENALERT", &C::OPENALERT, true},
        {"PRINTDECIMAL", &C::PRINTDECIMAL, false},
        {"EST_TITLE", &C::EST_TITLE, QStringLiteral("御 見 積 書")},
        {"EST_MSG", &C::EST_MSG, QStringLiteral("下記の通り御見積り申し上げます。")},
        {"UNIT_PRICE_EST_TITLE", &C::UNIT_PRICE_EST_TITLE, QStringLiteral("単価見積書")},
        {"UNIT_PRICE_EST_MSG", &C::UNIT_PRICE_EST_MSG,
         QStringLiteral("下記の通り御見積り申し上げます。")},
        {"DELIVER_TITLE", &C::DELIVER_TITLE, QStringLiteral("納 品 書")},
        {"DELIVER_MSG", &C::DELIVER_MSG, QStringLiteral("下記の通り納品致しました。")},
        {"CLAIM_TITLE", &C::CLAIM_TITLE, QStringLiteral("請 求 書")},
        {"CLAIM_MSG", &C::CLAIM_MSG, QStringLiteral("下記の通り御請求致します。")},
        {"CLAIM_DETAIL_TITLE", &C::CLAIM_DETAIL_TITLE, QStringLiteral("請 求 明 細 書")},
        {"CLAIM_DETAIL_MSG", &C::CLAIM_DETAIL_MSG, QStringLiteral("下記の通り御請求致します。")},
        {"TOTAL_CLAIM_TITLE", &C::TOTAL_CLAIM_TITLE, QStringLiteral("合 計 請 求 書")},
        {"TOTAL_CLAIM_MSG", &C::TOTAL_CLAIM_MSG,
         QStringLiteral("毎度ありがとうございます。下記の通り御請求致します。")},
        {"RECEIVE_TITLE", &C::RECEIVE_TITLE, QStringLiteral("物 品 受 領 書")},
        {"RECEIVE_MSG", &C::RECEIVE_MSG, QStringLiteral("下記の通り受領致しました。")},
        {"RECEIPT_TITLE", &C::RECEIPT_TITLE, QStringLiteral("領 収 書")},
        {"RECEIPT_MSG", &C::RECEIPT_MSG, QStringLiteral("上記の金額正に領収致しました。")},
        {"FAX_TITLE", &C::FAX_TITLE, QStringLiteral("FAX送信のご案内"), false},
        {"RECEIVE_DAY", &C::RECEIVE_DAY, QStringLiteral("受渡期日")},
        {"PLACE", &C::PLACE, QStringLiteral("納入場所")},
        {"CONDITION", &C::CONDITION, QStringLiteral("支払条件")},
        {"LIMIT", &C::LIMIT, QStringLiteral("有効期限")},
        {"ITEM_NAME", &C::ITEM_NAME, QStringLiteral("品名")},
        {"ART", &C::ART, QStringLiteral("数量")},
        {"UNIT_NAME", &C::UNIT_NAME, QStringLiteral("単位")},
        {"UNIT_PRICE", &C::UNIT_PRICE, QStringLiteral("単価")},
        {"PRICE", &C::PRICE, QStringLiteral("金額")},
        {"NOTE", &C::NOTE, QStringLiteral("備考")},
        {"LINE_COLOR_ODD", &C::LINE_COLOR_ODD, 15780518},
        {"LINE_COLOR_EVEN", &C::LINE_COLOR_EVEN, 16777215},
    };
    return keys;
}

const std::vector<SettingKey<TThConfigInfo>>& TThConfigInfo::ExtensionKeys() {
    static const std::vector<Key> keys = {
        {"QUALIFIED_INVOICE", &C::QUALIFIED_INVOICE, false, true, true},
        {"REDUCED_TAX", &C::REDUCED_TAX, Currency::fromUnits(8), true, true},
        {"PDF_EMBED_FONTS", &C::PDF_EMBED_FONTS, true, true, true},
    };
    return keys;
}

TThConfigInfo::TThConfigInfo(const QString& imageFolder)
    : imageFolder_(imageFolder.endsWith(u'/') ? imageFolder : imageFolder + u'/') {
    ApplyDefaults(*this, Keys());
    ApplyDefaults(*this, ExtensionKeys());
    QList<SettingsSync::Picture> pictures;
    const QString digits = QStringLiteral("１２３４５６");
    for (int i = 0; i < StampCount; ++i) {
        pictures.append({StampPath(i), QStringLiteral("捺印") + digits.at(i)});
    }
    sync_ = SettingsSync(pictures);
}

QString TThConfigInfo::StampPath(int index) const {
    return imageFolder_ + QStringLiteral("pstamp%1.bmp").arg(index);
}

void TThConfigInfo::writeKeys(IniFile& ini) const {
    WriteKeys(*this, Keys(), ini, Section);
    WriteKeys(*this, ExtensionKeys(), ini, Section);
}

void TThConfigInfo::readKeys(const IniFile& ini) {
    ReadKeys(*this, Keys(), ini, Section);
    ReadKeys(*this, ExtensionKeys(), ini, Section);
}

QList<QImage> TThConfigInfo::stampList() const {
    return QList<QImage>(stamps_.begin(), stamps_.end());
}

void TThConfigInfo::LoadFromFile(const QString& path) {
    const QList<SharedSave::FileStamp> stamps = sync_.Stamps(path);
    LoadFailures failures;
    IniFile ini;
    failures.Run([&] {
        ini = IniFile::Load(path);
        readKeys(ini);
        ini.ThrowIfBroken();
    });
    NameFontSize = 12;
    for (int i = 0; i < StampCount; ++i) {
        failures.Run([&] { Stamp(i) = PictureFile::Load(StampPath(i)); });
    }
    sync_.Adopt(
        ini, [this](IniFile& mine) { writeKeys(mine); }, stampList(), stamps);
    failures.ThrowIfAny();
}

void TThConfigInfo::SaveToFile(const QString& path, const SharedSave::ConflictChoice& choose) {
    const auto keys = [this](IniFile& mine) { writeKeys(mine); };
    const SettingsSync::Saved saved = sync_.Save(path, keys, stampList(), choose);
    readKeys(saved.Ini);
    for (int i = 0; i < StampCount; ++i) {
        Stamp(i) = saved.Images.at(i);
    }
    sync_.Adopt(saved.Ini, keys, saved.Images, saved.Stamps);
}

bool TThConfigInfo::ReloadIfChanged(const QString& path) {
    return sync_.ReloadIfChanged([this](IniFile& mine) { writeKeys(mine); }, stampList(),
                                 [&] { LoadFromFile(path); });
}
