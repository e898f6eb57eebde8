// The commands that read the data root: settings, sender profiles and masters.

#include <QFileInfo>

#include "Commands.h"
#include "CustomerField.h"
#include "CustomerImport.h"
#include "JsonText.h"
#include "SettingKey.h"
#include "TThCampanyInfoManager.h"
#include "TThConfigInfo.h"
#include "TThCustomerObjectList.h"
#include "TThItemObjectList.h"
#include "TThItemUnitObjectList.h"

namespace {

using JsonText::member;
using JsonText::quote;

template <class Owner>
QStringList keyMembers(const Owner& owner, const std::vector<SettingKey<Owner>>& keys) {
    QStringList out;
    for (const SettingKey<Owner>& k : keys) {
        // An optional feature's key shows once it is in use, so the listing stays as it was.
        if (k.extension && IsAtDefault(owner, k)) {
            continue;
        }
        out << member(
            k.key,
            std::visit([&](auto pointer) { return JsonText::value(owner.*pointer); }, k.member));
    }
    return out;
}

QString pictureJson(const QImage& picture) {
    QStringList members{member("present", JsonText::value(!picture.isNull()))};
    if (!picture.isNull()) {
        members << member("width", JsonText::value(picture.width()))
                << member("height", JsonText::value(picture.height()));
    }
    return JsonText::inlineObject(members);
}

QString profileJson(const TThCampanyInfo& profile) {
    QStringList members = keyMembers(profile, TThCampanyInfo::TextKeys());
    for (int j = 0; j < TThCampanyInfo::BankAccountCount; ++j) {
        const TThPayBankAccount& account = profile.BankAccount(j);
        const QString n = QString::number(j + 1);
        members << member("BankName" + n, quote(account.BankName))
                << member("BankNo" + n, quote(account.BankNo))
                << member("OwnerName" + n, quote(account.OwnerName));
    }
    members << keyMembers(profile, TThCampanyInfo::OptionKeys());
    members << keyMembers(profile, TThCampanyInfo::ExtensionKeys());
    members << member("logo", pictureJson(profile.LogoImage))
            << member("stamp", pictureJson(profile.StampImage));
    return JsonText::block(members, 2);
}

QString customerJson(const TThCustomerObject& c) {
    return JsonText::inlineObject({member("CusCode", quote(c.CusCode)),
                                   member("Name1", quote(c.Name1)), member("Name2", quote(c.Name2)),
                                   member("Name3", quote(c.Name3)), member("Zip", quote(c.Zip)),
                                   member("Add1", quote(c.Add1)), member("Add2", quote(c.Add2)),
                                   member("Tel", quote(c.Tel)), member("Fax", quote(c.Fax))});
}

// "会社名１=1,TEL=4": the fields named by their captions take those columns (from 1);
// every other field is not taken.
CustomerImport::Mapping parseMapping(const QString& text, int columnCount) {
    CustomerImport::Mapping mapping;
    mapping.fill(CustomerImport::NotTaken);
    QStringList names;
    for (const CustomerField& field : CustomerFields) {
        names << QString::fromUtf16(field.Caption);
    }
    for (const QString& pair : text.split(u',', Qt::SkipEmptyParts)) {
        const qsizetype equals = pair.indexOf(u'=');
        const qsizetype field = names.indexOf(pair.left(equals).trimmed());
        bool isNumber = false;
        const int column = pair.mid(equals + 1).trimmed().toInt(&isNumber);
        if (equals < 0 || field < 0) {
            throw EUsageError(
                QStringLiteral("--map: \"%1\" is not FIELD=COLUMN with FIELD one of %2")
                    .arg(pair, names.join(QStringLiteral(", "))));
        }
        if (!isNumber || column < 1 || column > columnCount) {
            throw EUsageError(QStringLiteral("--map: column of \"%1\" must be 1 to %2")
                                  .arg(pair)
                                  .arg(columnCount));
        }
        mapping[static_cast<size_t>(field)] = column - 1;
    }
    return mapping;
}

}  // namespace

TThCustomerObjectList LoadCustomers(const DataFolders& folders) {
    TThCustomerObjectList customers;
    if (QFileInfo::exists(folders.CustomerPath())) {
        customers.LoadFromFile(folders.CustomerPath());
    }
    return customers;
}

void RunConfig(CommandLine& arguments, const ToolContext& context, QTextStream& out) {
    arguments.positional(0, QStringLiteral("dorvani4-tool [--data-root DIR] config"));
    const DataFolders& folders = context.folders;
    TThConfigInfo config(folders.ImgFolder());
    config.LoadFromFile(folders.ConfPath());
    TThCampanyInfoManager profiles(folders.ImgFolder());
    profiles.LoadFromFile(folders.ConfPath());

    QStringList seals;
    for (int i = 0; i < TThConfigInfo::StampCount; ++i) {
        seals << pictureJson(config.Stamp(i));
    }
    QStringList top{member(TThConfigInfo::Section,
                           JsonText::block(keyMembers(config, TThConfigInfo::Keys()) +
                                               keyMembers(config, TThConfigInfo::ExtensionKeys()),
                                           2)),
                    member("seals", JsonText::block(seals, 2, true))};
    for (int p = 0; p < TThCampanyInfoManager::Count; ++p) {
        top << member(TThCampanyInfoManager::SectionName(p), profileJson(profiles.Items(p)));
    }
    out << JsonText::block(top, 0) << '\n';
}

void RunMasters(CommandLine& arguments, const ToolContext& context, QTextStream& out) {
    arguments.positional(0, QStringLiteral("dorvani4-tool [--data-root DIR] masters"));
    const DataFolders& folders = context.folders;
    const TThCustomerObjectList customers = LoadCustomers(folders);
    TThItemObjectList items;
    items.LoadFromFile(folders.ItemListPath());
    TThItemUnitObjectList units;
    units.LoadFromFile(folders.ItemUnitPath());

    QStringList customerRows;
    for (int i = 0; i < customers.Count(); ++i) {
        customerRows << customerJson(customers.Items(i));
    }
    QStringList itemRows;
    for (int i = 0; i < items.Count(); ++i) {
        const TThItemObject& item = items.Items(i);
        itemRows << JsonText::inlineObject({member("ItemName", quote(item.ItemName)),
                                            member("UnitName", quote(item.UnitName)),
                                            member("UnitPrice", JsonText::value(item.UnitPrice))});
    }
    QStringList unitRows;
    for (int i = 0; i < units.Count(); ++i) {
        unitRows << quote(units.Items(i).UnitName);
    }
    out << JsonText::block({member("customers", JsonText::block(customerRows, 2, true)),
                            member("items", JsonText::block(itemRows, 2, true)),
                            member("units", JsonText::block(unitRows, 2, true))},
                           0)
        << '\n';
}

void RunExportCustomers(CommandLine& arguments, const ToolContext& context, QTextStream&) {
    const QString path =
        arguments
            .positional(1,
                        QStringLiteral("dorvani4-tool [--data-root DIR] export-customers OUT.csv"))
            .at(0);
    LoadCustomers(context.folders).ExportToFile(path);
}

void RunImportCustomers(CommandLine& arguments, const ToolContext& context, QTextStream& out) {
    const bool dryRun = arguments.takeFlag(QStringLiteral("--dry-run"));
    const std::optional<QString> map = arguments.takeValue(QStringLiteral("--map"));
    const QString path =
        arguments
            .positional(1, QStringLiteral("dorvani4-tool [--data-root DIR] import-customers "
                                          "FILE.csv [--map FIELD=COLUMN,...] [--dry-run]"))
            .at(0);
    const CustomerImport::Table table = CustomerImport::ReadFile(path);
    const CustomerImport::Mapping mapping = map ? parseMapping(*map, table.ColumnCount)
                                                : CustomerImport::Preselection(table.ColumnCount);
    std::vector<TThCustomerObject> customers = CustomerImport::Customers(table, mapping);

    QStringList rows;
    for (const TThCustomerObject& customer : customers) {
        rows << customerJson(customer);
    }
    const int added = static_cast<int>(customers.size());
    if (!dryRun) {
        const DataFolders& folders = context.folders;
        TThCustomerObjectList list = LoadCustomers(folders);
        CustomerImport::AppendTo(list, std::move(customers));
        folders.Prepare();
        list.SaveToFile(folders.CustomerPath());
    }
    out << JsonText::block({member("columns", JsonText::value(table.ColumnCount)),
                            member("added", JsonText::value(added)),
                            member("written", JsonText::value(!dryRun)),
                            member("customers", JsonText::block(rows, 2, true))},
                           0)
        << '\n';
}
