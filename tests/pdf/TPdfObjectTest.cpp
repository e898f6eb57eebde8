#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Exception.h"
#include "PdfTestSupport.h"
#include "TPdfArray.h"
#include "TPdfBinary.h"
#include "TPdfBoolean.h"
#include "TPdfDictionary.h"
#include "TPdfNull.h"
#include "TPdfNumber.h"
#include "TPdfReal.h"
#include "TPdfStream.h"
#include "TPdfText.h"
#include "TPdfXref.h"

using namespace pdf;

namespace {

struct ValueCase {
    std::string description;
    std::function<std::unique_ptr<TPdfObject>()> make;
    std::string expected;
};

template <class T, class... Args>
std::function<std::unique_ptr<TPdfObject>()> Make(Args... args) {
    return [=] { return std::make_unique<T>(args...); };
}

TEST(TPdfObject, WritesEachValueInPdfSyntax) {
    const std::vector<ValueCase> cases = {
        {"base object", Make<TPdfObject>(), ""},
        {"null", Make<TPdfNull>(), "null"},
        {"true", Make<TPdfBoolean>(true), "true"},
        {"false", Make<TPdfBoolean>(false), "false"},
        {"plain number", Make<TPdfNumber>(), "0"},
        {"negative number", Make<TPdfNumber>(-15), "-15"},
        {"largest number", Make<TPdfNumber>(2147483647), "2147483647"},
        {"real", Make<TPdfReal>(1.5), "1.5"},
        {"whole real", Make<TPdfReal>(3.0), "3"},
        {"small real", Make<TPdfReal>(-0.25), "-0.25"},
        {"empty text", Make<TPdfText>(std::string()), "()"},
        {"escaped text", Make<TPdfText>(std::string("a(b)\\c")), "(a\\(b\\)\\\\c)"},
        {"half-width katakana", Make<TPdfText>(Sjis("ｱｲ")), "(\xB1\xB2)"},
        {"hiragana", Make<TPdfText>(Sjis("あ")), "<FEFF001B656E001B3042>"},
        {"mixed text", Make<TPdfText>(Sjis("A請求")), "<FEFF001B656E001B00418ACB6C42>"},
        {"name", Make<TPdfName>(std::string("F0")), "/F0"},
        {"name with blank", Make<TPdfName>(std::string("A B")), "/A#20B"},
        {"name with high byte", Make<TPdfName>(std::string("a\x82z")), "/a#82z"},
        {"name delimiters", Make<TPdfName>(std::string("#%()/<>[]{}")),
         "/#23#25#28#29#2F#3C#3E#5B#5D#7B#7D"},
        {"name edges", Make<TPdfName>(std::string("!~\x7F")), "/!~#7F"},
        {"binary", Make<TPdfBinary>(std::string("<00 FF >")), "<00 FF >"},
        {"empty binary", Make<TPdfBinary>(), ""},
    };
    for (const auto& c : cases) {
        auto object = c.make();
        EXPECT_EQ(Written(*object), c.expected) << c.description;
    }
}

TEST(TPdfText, RefusesBytesThatAreNotShiftJisWhenWritten) {
    TPdfText cutOff("A\x82");  // a lead byte without its trail byte
    EXPECT_THROW(Written(cutOff), EPdfInvalidValue);
}

TEST(TPdfObject, StartsDirectWithoutNumber) {
    TPdfNumber number(1);
    EXPECT_EQ(number.ObjectType(), TPdfObjectType::Direct);
    EXPECT_EQ(number.ObjectNumber(), -1);
    EXPECT_EQ(number.GenerationNumber(), 0);
}

TEST(TPdfObject, NumberedObjectWritesAReferenceAndItsValueIndirectly) {
    TPdfXref xref;
    xref.Add(std::make_unique<TPdfNull>());
    xref.Add(std::make_unique<TPdfNull>());
    auto* number = xref.Add(std::make_unique<TPdfNumber>(5));
    EXPECT_EQ(Written(*number), "3 0 R");
    EXPECT_EQ(WrittenIndirect(*number), "3 0 obj\r\n5\r\nendobj\r\n");
}

TEST(TPdfObject, OnlyNumberedObjectsAreWrittenIndirectly) {
    TPdfNumber direct(5);
    auto reference = TPdfVirtualObject::CreateVirtual(12);
    for (TPdfObject* object :
         {static_cast<TPdfObject*>(&direct), static_cast<TPdfObject*>(reference.get())}) {
        try {
            WrittenIndirect(*object);
            ADD_FAILURE() << "no error";
        } catch (const EPdfInvalidOperation& e) {
            EXPECT_STREQ(e.what(), "internal error wrong object type");
        }
    }
}

TEST(TPdfVirtualObject, IsMadeOnlyByCreateVirtual) {
    try {
        TPdfVirtualObject object;
        ADD_FAILURE() << "no error";
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "virtualObject must be create by CreateVirtual method.");
    }
    auto reference = TPdfVirtualObject::CreateVirtual(12);
    EXPECT_EQ(reference->ObjectType(), TPdfObjectType::Virtual);
    EXPECT_EQ(Written(*reference), "12 0 R");
}

TEST(TPdfArray, WritesEveryItemFollowedByABlank) {
    TPdfArray empty;
    EXPECT_EQ(Written(empty), "[]");
    TPdfArray one;
    one.Append(std::make_unique<TPdfNumber>(5));
    EXPECT_EQ(Written(one), "[5 ]");
    auto box = TPdfArray::MakeNumberArray(nullptr, {0, 0, 595, 842});
    EXPECT_EQ(Written(*box), "[0 0 595 842 ]");
    EXPECT_EQ(box->Count(), 4);
}

TEST(TPdfArray, KeepsOneItemWhenTheSameInstanceIsAppendedTwice) {
    TPdfArray array;
    TPdfObject* item = array.Append(std::make_unique<TPdfNumber>(7));
    array.Append(*item);
    EXPECT_EQ(array.Count(), 1);
    EXPECT_EQ(Written(array), "[7 ]");
}

TEST(TPdfArray, RefusesADirectObjectItDoesNotOwn) {
    TPdfArray array;
    TPdfNumber foreign(1);
    EXPECT_THROW(array.Append(foreign), EPdfInvalidOperation);
    EXPECT_THROW(array.Append(std::unique_ptr<TPdfObject>()), EPdfInvalidValue);
    EXPECT_EQ(array.Count(), 0);
}

TEST(TPdfArray, StoresNumberedObjectsAsReferencesAndResolvesThem) {
    TPdfXref xref;
    auto* name = xref.Add(std::make_unique<TPdfName>("Shared"));
    TPdfArray withMgr(&xref);
    withMgr.Append(*name);
    withMgr.Append(TPdfVirtualObject::CreateVirtual(1));
    EXPECT_EQ(Written(withMgr), "[1 0 R 1 0 R ]");
    EXPECT_EQ(withMgr.Item(0), name);
    EXPECT_EQ(withMgr.Item(1), name);
    EXPECT_EQ(withMgr.Item(2), nullptr);
    EXPECT_EQ(withMgr.Item(-1), nullptr);

    TPdfArray withoutMgr;
    withoutMgr.Append(*name);
    EXPECT_EQ(withoutMgr.Item(0), nullptr);
    EXPECT_EQ(xref.GetObject(1), name);  // still owned by the table
}

TEST(TPdfArray, FindsAndDeletesNames) {
    TPdfXref xref;
    auto* shared = xref.Add(std::make_unique<TPdfName>("FlateDecode"));
    TPdfArray array(&xref);
    array.Append(std::make_unique<TPdfNumber>(1));
    array.Append(std::make_unique<TPdfName>("ASCIIHexDecode"));
    array.Append(*shared);
    array.Append(std::make_unique<TPdfName>("ASCIIHexDecode"));

    EXPECT_EQ(array.FindName("FlateDecode"), shared);
    EXPECT_EQ(array.FindName("Missing"), nullptr);
    EXPECT_TRUE(array.DeleteName("ASCIIHexDecode"));
    EXPECT_EQ(Written(array), "[1 1 0 R /ASCIIHexDecode ]");
    EXPECT_TRUE(array.DeleteName("FlateDecode"));
    EXPECT_EQ(Written(array), "[1 /ASCIIHexDecode ]");
    EXPECT_EQ(xref.GetObject(1), shared);  // the reference went, not the object
    EXPECT_FALSE(array.DeleteName("FlateDecode"));
}

TEST(TPdfDictionary, WritesVisibleElementsInInsertionOrder) {
    TPdfDictionary dictionary;
    dictionary.SetNameEntry("Type", "Page");
    dictionary.SetNumberEntry("Count", 3);
    dictionary.SetHiddenEntry("Widths", std::make_unique<TPdfNumber>(1));
    dictionary.SetEntry("Kids", std::make_unique<TPdfArray>());
    EXPECT_EQ(Written(dictionary), "<<\r\n/Type /Page\r\n/Count 3\r\n/Kids []\r\n>>");
    EXPECT_EQ(dictionary.ElementCount(), 4);
    EXPECT_TRUE(dictionary.Element(2)->IsInternal());
    EXPECT_EQ(dictionary.Element(2)->Key().Value(), "Widths");
    EXPECT_EQ(dictionary.Element(4), nullptr);
}

TEST(TPdfDictionary, WithOnlyInternalElementsIsEmptyInTheFile) {
    TPdfDictionary dictionary;
    dictionary.SetHiddenEntry("Widths", std::make_unique<TPdfArray>());
    EXPECT_EQ(Written(dictionary), "<<\r\n>>");
    EXPECT_NE(dictionary.EntryAsArray("Widths"), nullptr);
}

TEST(TPdfDictionary, SettingAKeyAgainReplacesItAndMovesItLast) {
    TPdfDictionary dictionary;
    dictionary.SetNumberEntry("A", 1);
    dictionary.SetNumberEntry("B", 2);
    dictionary.SetNumberEntry("A", 3);
    EXPECT_EQ(Written(dictionary), "<<\r\n/B 2\r\n/A 3\r\n>>");
    EXPECT_EQ(dictionary.ElementCount(), 2);
    dictionary.DeleteEntry("B");
    dictionary.DeleteEntry("Missing");
    EXPECT_EQ(Written(dictionary), "<<\r\n/A 3\r\n>>");
}

TEST(TPdfDictionary, EscapesKeysLikeNames) {
    TPdfDictionary dictionary;
    dictionary.SetNumberEntry("A B", 1);
    EXPECT_EQ(Written(dictionary), "<<\r\n/A#20B 1\r\n>>");
}

TEST(TPdfDictionary, RefusesAMissingValue) {
    TPdfDictionary dictionary;
    try {
        dictionary.SetEntry("Key", std::unique_ptr<TPdfObject>());
        ADD_FAILURE() << "no error";
    } catch (const EPdfInvalidValue& e) {
        EXPECT_STREQ(e.what(), "internal error. wrong object.");
    }
    TPdfNumber foreign(1);
    EXPECT_THROW(dictionary.SetEntry("Key", foreign), EPdfInvalidOperation);
    EXPECT_EQ(dictionary.ElementCount(), 0);
}

TEST(TPdfDictionary, LooksUpEntriesByTypeAndResolvesReferences) {
    TPdfXref xref;
    auto* page = xref.Add(std::make_unique<TPdfDictionary>(&xref));
    TPdfDictionary dictionary(&xref);
    dictionary.SetNumberEntry("Number", 1);
    dictionary.SetEntry("Text", std::make_unique<TPdfText>("t"));
    dictionary.SetEntry("Real", std::make_unique<TPdfReal>(0.5));
    dictionary.SetNameEntry("Name", "N");
    dictionary.SetEntry("Array", std::make_unique<TPdfArray>());
    dictionary.SetEntry("Page", *page);

    EXPECT_EQ(dictionary.EntryAsNumber("Number")->Value(), 1);
    EXPECT_EQ(dictionary.EntryAsText("Text")->Value(), "t");
    EXPECT_EQ(dictionary.EntryAsReal("Real")->Value(), 0.5);
    EXPECT_EQ(dictionary.EntryAsName("Name")->Value(), "N");
    EXPECT_EQ(dictionary.EntryAsArray("Array")->Count(), 0);
    EXPECT_EQ(dictionary.EntryAsDictionary("Page"), page);
    EXPECT_EQ(Written(dictionary).find("/Page 1 0 R\r\n") != std::string::npos, true);

    // A look-up of the wrong class or of a missing key gives null, never a bad cast.
    EXPECT_EQ(dictionary.EntryAsNumber("Name"), nullptr);
    EXPECT_EQ(dictionary.EntryAsDictionary("Array"), nullptr);
    EXPECT_EQ(dictionary.Entry("Missing"), nullptr);

    TPdfDictionary withoutMgr;
    withoutMgr.SetEntry("Page", *page);
    EXPECT_EQ(withoutMgr.Entry("Page"), nullptr);
}

TEST(TPdfDictionary, DictionaryTypeIsTheTypeName) {
    TPdfDictionary dictionary;
    EXPECT_EQ(DictionaryType(dictionary), "");
    dictionary.SetNameEntry("Type", "Pages");
    EXPECT_EQ(DictionaryType(dictionary), "Pages");
}

TEST(TPdfStream, EmptyStreamHasLengthZeroAndNoData) {
    TPdfStream stream;
    EXPECT_EQ(Written(stream), "<<\r\n/Length 0\r\n/Filter []\r\n>>\r\nstream\r\n\nendstream");
}

TEST(TPdfStream, IndirectStreamCountsOnlyItsDataBytes) {
    TPdfXref xref;
    for (int i = 0; i < 6; ++i) {
        xref.Add(std::make_unique<TPdfNull>());
    }
    auto* stream = xref.Add(std::make_unique<TPdfStream>(&xref));
    stream->Stream() = "BT\n(Hello) Tj\nET\n";
    stream->Attributes().SetNameEntry("Type", "XObject");
    EXPECT_EQ(WrittenIndirect(*stream),
              "7 0 obj\r\n"
              "<<\r\n"
              "/Length 17\r\n"
              "/Filter []\r\n"
              "/Type /XObject\r\n"
              ">>"
              "\r\nstream\r\n"
              "BT\n(Hello) Tj\nET\n"
              "\nendstream"
              "\r\nendobj\r\n");
}

TEST(TPdfStream, DropsFlateDecodeAndKeepsItsDataUncompressed) {
    TPdfStream stream;
    stream.Attributes().EntryAsArray("Filter")->Append(std::make_unique<TPdfName>("FlateDecode"));
    stream.Stream() = "raw";
    EXPECT_EQ(Written(stream), "<<\r\n/Length 3\r\n/Filter []\r\n>>\r\nstream\r\nraw\nendstream");
}

TEST(TPdfStream, PutsBackALengthThatWasTakenOut) {
    TPdfStream stream;
    stream.Attributes().DeleteEntry("Length");
    stream.Stream() = "ab";
    EXPECT_EQ(Written(stream), "<<\r\n/Filter []\r\n/Length 2\r\n>>\r\nstream\r\nab\nendstream");
}

TEST(TPdfXref, NumbersObjectsInTheOrderTheyAreAdded) {
    TPdfXref xref;
    ASSERT_EQ(xref.EntryCount(), 1);
    EXPECT_EQ(xref.EntryAt(0).EntryType(), "f");
    EXPECT_EQ(xref.EntryAt(0).GenerationNumber(), 65535);
    EXPECT_EQ(xref.EntryAt(0).ByteOffset(), -1);
    EXPECT_EQ(xref.EntryAt(0).Line(), "0000000000 65535 f\r\n");

    auto* first = xref.Add(std::make_unique<TPdfNumber>(1));
    auto* second = xref.Add(std::make_unique<TPdfNumber>(2));
    EXPECT_EQ(first->ObjectNumber(), 1);
    EXPECT_EQ(second->ObjectNumber(), 2);
    EXPECT_EQ(second->ObjectType(), TPdfObjectType::Indirect);
    EXPECT_EQ(xref.EntryAt(2).EntryType(), "n");
    EXPECT_EQ(xref.GetObject(2), second);
    EXPECT_EQ(xref.GetObject(3), nullptr);
    EXPECT_EQ(xref.GetObject(-1), nullptr);

    xref.EntryAt(2).SetByteOffset(1234);
    EXPECT_EQ(xref.EntryAt(2).Line(), "0000001234 00000 n\r\n");
    EXPECT_EQ(xref.EntryAt(2).Line().size(), 20U);
}

TEST(TPdfXref, TakesOnlyDirectObjects) {
    TPdfXref xref;
    for (bool isNull : {false, true}) {
        std::unique_ptr<TPdfObject> object;
        if (!isNull) {
            object = TPdfVirtualObject::CreateVirtual(1);
        }
        try {
            xref.AddObject(std::move(object));
            ADD_FAILURE() << "no error";
        } catch (const EPdfInvalidOperation& e) {
            EXPECT_STREQ(e.what(), "AddObject --wrong object type.");
        }
    }
    EXPECT_EQ(xref.EntryCount(), 1);
}

}  // namespace
