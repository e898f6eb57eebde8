#include "AppWindows.h"

#include "PostalLookup.h"
#include "TFormCustomAdd.h"
#include "TFormCustomEdit.h"
#include "TFormCustomer.h"
#include "TFormMain.h"
#include "TFormVersion.h"
#include "TFormZipSearch.h"

namespace AppWindows {

TFormMain* FormMain = nullptr;
TFormCustomer* FormCustomer = nullptr;
TFormZipSearch* FormZipSearch = nullptr;
TFormCustomAdd* FormCustomAdd = nullptr;
TFormCustomEdit* FormCustomEdit = nullptr;
TFormVersion* FormVersion = nullptr;

void Create(const DataFolders& folders) {
    FormMain = new TFormMain(folders);
    FormCustomer = new TFormCustomer(FormMain);
    FormZipSearch = new TFormZipSearch(FormMain);
    FormCustomAdd = new TFormCustomAdd(FormMain);
    FormCustomEdit = new TFormCustomEdit(FormMain);
    FormVersion = new TFormVersion(FormMain);

    FormCustomer->SetEntryWindows(FormCustomAdd, FormCustomEdit);
    for (TFormCustomEntry* entry : {static_cast<TFormCustomEntry*>(FormCustomAdd),
                                    static_cast<TFormCustomEntry*>(FormCustomEdit)}) {
        entry->SetLookups(PostalLookup::ByCode, PostalLookup::ByAddress);
    }
}

void Destroy() {
    delete FormMain;
    FormMain = nullptr;
    FormCustomer = nullptr;
    FormZipSearch = nullptr;
    FormCustomAdd = nullptr;
    FormCustomEdit = nullptr;
    FormVersion = nullptr;
}

}  // namespace AppWindows
