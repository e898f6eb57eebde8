#pragma once

#include <cstdint>
#include <initializer_list>

#include "TPdfDictionaryWrapper.h"

namespace pdf {

enum class TPdfPageLayout : std::uint8_t {
    plSinglePage,
    plOneColumn,
    plTwoColumnLeft,
    plTwoColumnRight
};

enum class TPdfPageMode : std::uint8_t { pmUseNone, pmUseOutlines, pmUseThumbs, pmFullScreen };

enum class TPdfViewerPreference : std::uint8_t {
    vpHideToolbar,
    vpHideMenubar,
    vpHideWindowUI,
    vpFitWindow,
    vpCenterWindow
};

// A set of viewer preferences, one bit per member in declaration order.
class TPdfViewerPreferences {
  public:
    TPdfViewerPreferences() = default;
    TPdfViewerPreferences(std::initializer_list<TPdfViewerPreference> members) {
        for (auto member : members) {
            bits_ |= Bit(member);
        }
    }
    bool Contains(TPdfViewerPreference member) const { return (bits_ & Bit(member)) != 0; }
    bool Empty() const { return bits_ == 0; }
    bool operator==(const TPdfViewerPreferences&) const = default;

  private:
    static std::uint8_t Bit(TPdfViewerPreference member) {
        return static_cast<std::uint8_t>(1U << static_cast<unsigned>(member));
    }
    std::uint8_t bits_ = 0;
};

class TPdfCatalog : public TPdfDictionaryWrapper {
  public:
    // Only a page-tree node ("Type" /Pages) is taken.
    void SetPages(TPdfDictionary& pages);
    void SetPageLayout(TPdfPageLayout layout);
    void SetPageMode(TPdfPageMode mode);
    void SetNonFullScreenPageMode(TPdfPageMode mode);
    void SetViewerPreference(TPdfViewerPreferences preferences);
    // The catalog never carries an open action.
    void SaveOpenAction();

  private:
    TPdfDictionary& ViewerPreferences();
};

}  // namespace pdf
