#include <gtest/gtest.h>

#include "QtPrint.h"

#include <functional>
#include <new>
#include <stdexcept>
#include <vector>

#include "Exception.h"
#include "ModelError.h"
#include "TApplication.h"

namespace {

TEST(TApplication, AnUncaughtErrorIsToldInTheProgramsOwnJapanese) {
    const struct {
        const char* name;
        std::function<void()> fail;
        QString shown;
    } cases[] = {
        {"model error", [] { throw EFileError(QStringLiteral("ファイルを開けません。")); },
         QStringLiteral("ファイルを開けません。")},
        {"PDF writer", [] { throw pdf::EPdfInvalidOperation("document is null.."); },
         QStringLiteral("PDFファイルを作成できませんでした。")},
        {"out of memory", [] { throw std::bad_alloc(); },
         QStringLiteral("メモリが不足しているため、処理を中止しました。")},
        {"list index", [] { std::vector<int>().at(3); },
         QStringLiteral("内部エラーのため、処理を中止しました。")},
        {"out_of_range", [] { throw std::out_of_range("list index out of range"); },
         QStringLiteral("内部エラーのため、処理を中止しました。")},
        {"not an exception class", [] { throw 42; },
         QStringLiteral("内部エラーのため、処理を中止しました。")},
    };
    for (const auto& c : cases) {
        try {
            c.fail();
            ADD_FAILURE() << c.name << " did not throw";
        } catch (...) {
            EXPECT_EQ(TApplication::UncaughtErrorText(std::current_exception()), c.shown) << c.name;
        }
    }
}

}  // namespace
