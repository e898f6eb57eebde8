#pragma once

#include "MasterListSlip.h"
#include "TThConfigInfo.h"
#include "TThCustomerObjectList.h"
#include "TThItemObjectList.h"

// An item master of items "品目1" ... at 1,000 yen each in 個 and a customer master of
// customers "得意先1" ..., with the default settings but unembedded fonts.
struct MasterListFixture {
    TThItemObjectList items;
    TThCustomerObjectList customers;
    TThConfigInfo config{QStringLiteral("/nonexistent/")};
    QString date = QStringLiteral("令和08年12月10日");

    MasterListFixture(int itemCount, int customerCount) {
        config.PDF_EMBED_FONTS = false;  // the byte checks are of the files that name their fonts
        for (int i = 1; i <= itemCount; ++i) {
            AddItem(QStringLiteral("品目%1").arg(i), QStringLiteral("個"), 1000);
        }
        for (int i = 1; i <= customerCount; ++i) {
            auto customer = std::make_unique<TThCustomerObject>();
            customer->CusCode = QStringLiteral("C%1").arg(i, 5, 10, QLatin1Char('0'));
            customer->Name1 = QStringLiteral("得意先%1").arg(i);
            customer->Name2 = QStringLiteral("営業部");
            customer->Name3 = QStringLiteral("担当者%1").arg(i);
            customer->Zip = QStringLiteral("100-0001");
            customer->Add1 = QStringLiteral("東京都千代田区千代田%1-1").arg(i);
            customer->Add2 = QStringLiteral("千代田ビル%1階").arg(i);
            customer->Tel = QStringLiteral("03-0000-%1").arg(i, 4, 10, QLatin1Char('0'));
            customer->Fax = QStringLiteral("03-1111-%1").arg(i, 4, 10, QLatin1Char('0'));
            customers.Add(std::move(customer));
        }
    }
    void AddItem(const QString& name, const QString& unit, qint64 price) {
        items.Add(
            std::make_unique<TThItemObject>(TThItemObject{name, unit, Currency::fromUnits(price)}));
    }
    TMasterListSource Source(TSlipKind kind) const {
        return {kind, items, customers, config, date};
    }
};
