#include "TPdfCatalog.h"

#include <array>
#include <string_view>

#include "TPdfBoolean.h"

namespace pdf {

namespace {

constexpr std::array<std::string_view, 4> kPageLayoutNames = {"SinglePage", "OneColumn",
                                                              "TwoColumnLeft", "TwoColumnRight"};
constexpr std::array<std::string_view, 4> kPageModeNames = {"UseNone", "UseOutlines", "UseThumbs",
                                                            "FullScreen"};
constexpr std::array<std::string_view, 5> kViewerPreferenceNames = {
    "HideToolbar", "HideMenubar", "HideWindowUI", "FitWindow", "CenterWindow"};

// Replaces the name in place, so the entry keeps its place in the written order.
void SetNameInPlace(TPdfDictionary& dictionary, std::string_view key, std::string_view value) {
    if (TPdfName* name = dictionary.EntryAsName(key)) {
        name->SetValue(std::string(value));
    } else {
        dictionary.SetNameEntry(key, std::string(value));
    }
}

}  // namespace

void TPdfCatalog::SetPages(TPdfDictionary& pages) {
    if (DictionaryType(pages) == "Pages") {
        Data()->SetEntry("Pages", pages);
    }
}

void TPdfCatalog::SetPageLayout(TPdfPageLayout layout) {
    SetNameInPlace(*Data(), "PageLayout", kPageLayoutNames[static_cast<std::size_t>(layout)]);
}

void TPdfCatalog::SetPageMode(TPdfPageMode mode) {
    SetNameInPlace(*Data(), "PageMode", kPageModeNames[static_cast<std::size_t>(mode)]);
}

void TPdfCatalog::SetNonFullScreenPageMode(TPdfPageMode mode) {
    TPdfDictionary& preferences = ViewerPreferences();
    if (mode == TPdfPageMode::pmUseOutlines || mode == TPdfPageMode::pmUseThumbs) {
        SetNameInPlace(preferences, "NonFullScreenPageMode",
                       kPageModeNames[static_cast<std::size_t>(mode)]);
    } else {
        preferences.DeleteEntry("NonFullScreenPageMode");
    }
}

void TPdfCatalog::SetViewerPreference(TPdfViewerPreferences preferences) {
    if (preferences.Empty() && Data()->EntryAsDictionary("ViewerPreferences") == nullptr) {
        return;
    }
    TPdfDictionary& dictionary = ViewerPreferences();
    for (std::size_t i = 0; i < kViewerPreferenceNames.size(); ++i) {
        auto member = static_cast<TPdfViewerPreference>(i);
        if (preferences.Contains(member)) {
            dictionary.SetEntry(kViewerPreferenceNames[i], std::make_unique<TPdfBoolean>(true));
        } else {
            dictionary.DeleteEntry(kViewerPreferenceNames[i]);
        }
    }
}

void TPdfCatalog::SaveOpenAction() {
    Data()->DeleteEntry("OpenAction");
}

TPdfDictionary& TPdfCatalog::ViewerPreferences() {
    if (TPdfDictionary* existing = Data()->EntryAsDictionary("ViewerPreferences")) {
        return *existing;
    }
    return static_cast<TPdfDictionary&>(*Data()->SetEntry(
        "ViewerPreferences", std::make_unique<TPdfDictionary>(Data()->ObjectMgr())));
}

}  // namespace pdf
