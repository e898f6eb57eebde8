#pragma once

#include <string>
#include <string_view>

#include "TPdfDateTime.h"
#include "TPdfDictionaryWrapper.h"

namespace pdf {

// The document information dictionary; texts are Shift-JIS.
class TPdfInfo : public TPdfDictionaryWrapper {
  public:
    void SetAuthor(std::string_view text) { SetText("Author", text); }
    void SetCreator(std::string_view text) { SetText("Creator", text); }
    void SetTitle(std::string_view text) { SetText("Title", text); }
    void SetSubject(std::string_view text) { SetText("Subject", text); }
    void SetKeywords(std::string_view text) { SetText("Keywords", text); }
    void SetCreationDate(const TPdfDateTime& dateTime) {
        SetText("CreationDate", PdfDateString(dateTime));
    }
    void SetModDate(const TPdfDateTime& dateTime) { SetText("ModDate", PdfDateString(dateTime)); }

  private:
    void SetText(std::string_view key, std::string_view text);
};

}  // namespace pdf
