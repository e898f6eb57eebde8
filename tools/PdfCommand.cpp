// dorvani4-tool pdf: one slip of a document file as PDF, as the slip's PDF button writes it.

#include <QStringList>
#include <algorithm>

#include "AmountText.h"
#include "Clock.h"
#include "Commands.h"
#include "FaxSenderSlip.h"
#include "IniFile.h"
#include "JapaneseEra.h"
#include "MasterListSlip.h"
#include "ModelError.h"
#include "ReceiptSlip.h"
#include "TPrintOptions.h"
#include "TSlipPdfTemplates.h"
#include "TSlipSource.h"
#include "TThCampanyInfoManager.h"
#include "TThConfigInfo.h"
#include "TThItemObjectList.h"
#include "ToolDocument.h"
#include "TotalClaimSlip.h"

namespace {

// The families the tool writes; a kind of any other family is not offered.
const TSlipFamily WrittenFamilies[] = {TSlipFamily::MainSlip, TSlipFamily::TotalClaim,
                                       TSlipFamily::Receipt, TSlipFamily::FaxSender,
                                       TSlipFamily::MasterList};

QStringList KindNames() {
    QStringList names;
    for (const TSlipKindFacts& facts : SlipKinds()) {
        if (std::find(std::begin(WrittenFamilies), std::end(WrittenFamilies), facts.Family) !=
            std::end(WrittenFamilies)) {
            names << QString::fromLatin1(facts.Section);
        }
    }
    return names;
}

struct TaxName {
    const char* name;
    TTaxChoice choice;
    const char* label;
};

const TaxName TaxNames[] = {{"notax", TTaxChoice::NoTax, "課税対象なし"},
                            {"before", TTaxChoice::BeforeTax, "税別"},
                            {"in", TTaxChoice::TaxIn, "税込み"}};

int TakeNumber(CommandLine& arguments, const QString& option, int count) {
    const std::optional<QString> value = arguments.takeValue(option);
    if (!value) {
        return -1;
    }
    bool ok = false;
    const int number = value->toInt(&ok);
    if (!ok || number < 1 || number > count) {
        throw EUsageError(
            QStringLiteral("%1: 1 から %2 までの番号を指定してください。").arg(option).arg(count));
    }
    return number - 1;
}

}  // namespace

QString PdfUsage() {
    return QStringLiteral(
        "pdf KIND FILE.MT4 OUT.pdf [--profile 1|2|3] [--bank 1|2] [--set KEY=VALUE ...]\n"
        "      main slips: [--landscape | --portrait] [--tax notax|before|in]\n"
        "      GOUKEI_SEIKYU: [--pre-claim AMOUNT] [--pre-paid AMOUNT] (前回請求額, 入金額)\n"
        "      RYOSYU: [--proviso TEXT] (但し書き) [--breakdown NAME=AMOUNT ...] (内訳, 4 行まで;\n"
        "              指定がなければ 1 行目が消費税)\n"
        "      FAX: [--subject TEXT] (要件) [--pages N] (送付枚数) [--content TEXT] (連絡事項)\n"
        "           [--request 1|2|3|4 ...] (要望チェック: 至急, ご参考まで, ご確認ください, "
        "ご返信ください)\n"
        "  pdf ITEM_LIST|CUSTOMER_LIST OUT.pdf [--date YYYY-MM-DD]\n"
        "      the masters of the data root, dated today or --date in the era calendar");
}

QString PdfSummary() {
    return QStringLiteral("write a slip as PDF; KIND is one of %1")
        .arg(KindNames().join(QStringLiteral(", ")));
}

namespace {

// The print.ini file as the window would read it, with every --set KEY=VALUE written into
// the kind's section; the file on disk stays as it is.
IniFile PrintIniWithSettings(const QString& path, TSlipKind kind, const QStringList& keys,
                             const QStringList& settings) {
    IniFile printIni = IniFile::Load(path);
    for (const QString& setting : settings) {
        const qsizetype equals = setting.indexOf(QLatin1Char('='));
        const QString key = setting.left(equals).toUpper();
        if (equals < 0 || !keys.contains(key)) {
            throw EUsageError(QStringLiteral("--set %1: KEY=VALUE with KEY one of %2")
                                  .arg(setting, keys.join(QStringLiteral(", "))));
        }
        printIni.WriteString(PrintSectionName(kind), key, setting.mid(equals + 1));
    }
    return printIni;
}

std::optional<Currency> TakeAmount(CommandLine& arguments, const QString& option) {
    const std::optional<QString> value = arguments.takeValue(option);
    if (!value) {
        return std::nullopt;
    }
    try {
        return ParseMoney(*value);
    } catch (const EModelError&) {
        throw EUsageError(QStringLiteral("%1 %2: 金額を指定してください。").arg(option, *value));
    }
}

bool IsMasterList(const QString& section) {
    const std::optional<TSlipKind> kind = SlipKindFromSection(section);
    return kind && SlipKindFacts(*kind).Family == TSlipFamily::MasterList;
}

// "令和08年12月10日" of today, or of the date given as YYYY-MM-DD.
QString ListDate(const std::optional<QString>& date) {
    const QDate day = date ? QDate::fromString(*date, Qt::ISODate) : Clock::now().date();
    const QString text = JapaneseEra::LongDate(day);
    if (text.isEmpty()) {
        throw EUsageError(
            QStringLiteral("--date %1: 明治以降の日付を YYYY-MM-DD で指定してください。")
                .arg(date.value_or(QString())));
    }
    return text;
}

// The item or customer list of the data root's masters, as 印刷・PDF出力 writes it.
void WriteListPdf(TSlipKind kind, const QString& outPath, const QString& date,
                  const ToolContext& context, QTextStream& out) {
    const DataFolders& folders = context.folders;
    TThConfigInfo config(folders.ImgFolder());
    config.LoadFromFile(folders.ConfPath());
    TThItemObjectList items;
    items.LoadFromFile(folders.ItemListPath());
    const TThCustomerObjectList customers = LoadCustomers(folders);
    TSlipPdfTemplates templates(config);
    SaveListPdf(templates, {kind, items, customers, config, date}, outPath);
    out << QStringLiteral("%1: %2 ページ\n").arg(outPath).arg(templates.Report().PageCount());
}

// The receipt's breakdown rows from --breakdown NAME=AMOUNT, in the order given.
void TakeBreakdown(const QStringList& rows, TReceiptOptions& options) {
    if (rows.isEmpty()) {
        return;
    }
    if (rows.size() > ReceiptBreakdownRows) {
        throw EUsageError(
            QStringLiteral("--breakdown: 内訳は %1 行までです。").arg(ReceiptBreakdownRows));
    }
    options.BreakdownNames = {};
    options.BreakdownAmounts = {};
    for (qsizetype k = 0; k < rows.size(); ++k) {
        const qsizetype equals = rows[k].indexOf(QLatin1Char('='));
        const QString amount = equals < 0 ? QString() : rows[k].mid(equals + 1);
        const QString shown = ReceiptAmountField(amount);
        if (equals < 0 || (!amount.trimmed().isEmpty() && shown.isEmpty())) {
            throw EUsageError(QStringLiteral("--breakdown %1: 内訳の名前=金額 で指定してください。")
                                  .arg(rows[k]));
        }
        options.BreakdownNames[static_cast<size_t>(k)] = rows[k].left(equals);
        options.BreakdownAmounts[static_cast<size_t>(k)] = shown;
    }
}

// An option of one kind given for another.
void RefuseUnless(bool given, TSlipKind kind, TSlipKind wanted, const char* option) {
    if (given && kind != wanted) {
        throw EUsageError(QStringLiteral("%1 は %2 にだけ指定できます。")
                              .arg(QLatin1String(option), PrintSectionName(wanted)));
    }
}

}  // namespace

void RunPdf(CommandLine& arguments, const ToolContext& context, QTextStream& out) {
    const bool landscape = arguments.takeFlag(QStringLiteral("--landscape"));
    const bool portrait = arguments.takeFlag(QStringLiteral("--portrait"));
    if (landscape && portrait) {
        throw EUsageError(QStringLiteral("--landscape と --portrait は同時に指定できません。"));
    }
    const int profile =
        TakeNumber(arguments, QStringLiteral("--profile"), TThCampanyInfoManager::Count);
    const int bank =
        TakeNumber(arguments, QStringLiteral("--bank"), TThCampanyInfo::BankAccountCount);
    const std::optional<QString> tax = arguments.takeValue(QStringLiteral("--tax"));
    const std::optional<Currency> preClaim = TakeAmount(arguments, QStringLiteral("--pre-claim"));
    const std::optional<Currency> prePaid = TakeAmount(arguments, QStringLiteral("--pre-paid"));
    const std::optional<QString> proviso = arguments.takeValue(QStringLiteral("--proviso"));
    const QStringList breakdown = arguments.takeValues(QStringLiteral("--breakdown"));
    const std::optional<QString> subject = arguments.takeValue(QStringLiteral("--subject"));
    const int pages = TakeNumber(arguments, QStringLiteral("--pages"), FaxPaperNumMax);
    const std::optional<QString> content = arguments.takeValue(QStringLiteral("--content"));
    const QStringList requests = arguments.takeValues(QStringLiteral("--request"));
    const QStringList settings = arguments.takeValues(QStringLiteral("--set"));
    const std::optional<QString> date = arguments.takeValue(QStringLiteral("--date"));
    const QString usage = QStringLiteral("dorvani4-tool ") + PdfUsage() +
                          QStringLiteral("\nKIND: ") + KindNames().join(QStringLiteral(", "));
    // The lists are made of the masters alone: no document, and none of the slips' options.
    const bool list = IsMasterList(arguments.rest().value(0));
    const QStringList positional = arguments.positional(list ? 2 : 3, usage);
    const std::optional<TSlipKind> kind = SlipKindFromSection(positional[0]);
    if (!kind || !KindNames().contains(QString::fromLatin1(SlipKindFacts(*kind).Section))) {
        throw EUsageError(QStringLiteral("unknown slip kind \"%1\"\n%2").arg(positional[0], usage));
    }
    if (list) {
        if (landscape || portrait || profile >= 0 || bank >= 0 || tax || preClaim || prePaid ||
            proviso || !breakdown.isEmpty() || subject || pages >= 0 || content ||
            !requests.isEmpty() || !settings.isEmpty()) {
            throw EUsageError(QStringLiteral("%1 に指定できるのは --date だけです。\n%2")
                                  .arg(positional[0], usage));
        }
        WriteListPdf(*kind, positional[1], ListDate(date), context, out);
        return;
    }
    if (date) {
        throw EUsageError(
            QStringLiteral("--date は ITEM_LIST と CUSTOMER_LIST にだけ指定できます。\n%1")
                .arg(usage));
    }
    RefuseUnless(proviso.has_value(), *kind, skRyoshu, "--proviso");
    RefuseUnless(!breakdown.isEmpty(), *kind, skRyoshu, "--breakdown");
    RefuseUnless(subject.has_value(), *kind, skFax, "--subject");
    RefuseUnless(pages >= 0, *kind, skFax, "--pages");
    RefuseUnless(content.has_value(), *kind, skFax, "--content");
    RefuseUnless(!requests.isEmpty(), *kind, skFax, "--request");

    const DataFolders& folders = context.folders;
    TThConfigInfo config(folders.ImgFolder());
    config.LoadFromFile(folders.ConfPath());
    TThCampanyInfoManager profiles(folders.ImgFolder());
    profiles.LoadFromFile(folders.ConfPath());
    ToolDocument loaded;
    LoadToolDocument(loaded, positional[1]);
    TThEstimateObjectList& document = loaded.document;
    document.TakeTaxSettings(config);
    document.CalcTotal();
    TSlipPdfTemplates templates(config);
    auto reportWritten = [&] {
        out << QStringLiteral("%1: %2 ページ\n")
                   .arg(positional[2])
                   .arg(templates.Report().PageCount());
    };

    if (SlipKindFacts(*kind).Family == TSlipFamily::TotalClaim) {
        if (!document.TotalClaimMode) {
            throw EModelError(TotalClaimOnlyRefusal);
        }
        const IniFile printIni =
            PrintIniWithSettings(folders.PrintIniPath(), *kind, TotalClaimOptionKeys(), settings);
        TTotalClaimOptions options = LoadTotalClaimOptions(printIni);
        if (profile >= 0) {
            options.CustomerInfo = profile;
        }
        if (bank >= 0) {
            options.PayBank = bank;
        }
        options.PreClaim = preClaim.value_or(Currency());
        options.PrePaid = prePaid.value_or(Currency());
        SaveTotalClaimPdf(templates,
                          {document, config, profiles.Items(options.CustomerInfo), options},
                          positional[2]);
        reportWritten();
        return;
    }

    if (SlipKindFacts(*kind).Family == TSlipFamily::Receipt) {
        const IniFile printIni =
            PrintIniWithSettings(folders.PrintIniPath(), *kind, ReceiptOptionKeys(), settings);
        TReceiptOptions options = LoadReceiptOptions(printIni, config, document);
        if (profile >= 0) {
            options.CustomerInfo = profile;
        }
        if (proviso) {
            options.Proviso = *proviso;
        }
        TakeBreakdown(breakdown, options);
        SaveReceiptPdf(templates, {document, config, profiles.Items(options.CustomerInfo), options},
                       positional[2]);
        reportWritten();
        return;
    }

    if (SlipKindFacts(*kind).Family == TSlipFamily::FaxSender) {
        const IniFile printIni =
            PrintIniWithSettings(folders.PrintIniPath(), *kind, FaxSenderOptionKeys(), settings);
        TFaxSenderOptions options = LoadFaxSenderOptions(printIni);
        if (profile >= 0) {
            options.CustomerInfo = profile;
        }
        if (subject) {
            options.Subject = *subject;
        }
        if (pages >= 0) {
            options.PaperNum = pages + 1;
        }
        if (content) {
            options.Content = *content;
        }
        for (const QString& request : requests) {
            bool ok = false;
            const int number = request.toInt(&ok);
            if (!ok || number < 1 || number > FaxRequestCount) {
                throw EUsageError(
                    QStringLiteral("--request %1: 1 から %2 までの番号を指定してください。")
                        .arg(request)
                        .arg(FaxRequestCount));
            }
            options.Requests[static_cast<size_t>(number - 1)] = true;
        }
        SaveFaxSenderPdf(templates,
                         {document, config, profiles.Items(options.CustomerInfo), options},
                         positional[2]);
        reportWritten();
        return;
    }

    if (document.TotalClaimMode) {
        throw EModelError(TThEstimateObjectList::TotalClaimRefusal);
    }
    // The options start as the window would show them; --set changes the loaded file only.
    const IniFile printIni =
        PrintIniWithSettings(folders.PrintIniPath(), *kind, TPrintOptions::Keys(), settings);
    TPrintOptions options = LoadPrintOptions(printIni, *kind, config, document);
    if (landscape || portrait) {
        options.Landscape = landscape;
    }
    if (profile >= 0) {
        options.CustomerInfo = profile;
    }
    if (bank >= 0) {
        options.PayBank = bank;
    }
    if (tax) {
        const TTaxChoices allowed = TaxChoicesOf(document);
        const TaxName* chosen = nullptr;
        QStringList allowedNames;
        for (const TaxName& name : TaxNames) {
            if (tax->compare(QLatin1String(name.name), Qt::CaseInsensitive) == 0) {
                chosen = &name;
            }
            if (allowed.Allows(name.choice)) {
                allowedNames << QStringLiteral("%1 (%2)").arg(QLatin1String(name.name),
                                                              QString::fromUtf8(name.label));
            }
        }
        if (chosen == nullptr || !allowed.Allows(chosen->choice)) {
            throw EUsageError(QStringLiteral("--tax %1: この文書で選べるのは %2 です。")
                                  .arg(*tax, allowedNames.join(QStringLiteral(", "))));
        }
        options.Tax = chosen->choice;
    }

    const TSlipSource source{document, config, profiles.Items(options.CustomerInfo), options,
                             *kind};
    templates.SaveSlipPdf(source, positional[2]);
    reportWritten();
}
