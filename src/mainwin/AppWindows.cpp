#include "AppWindows.h"

#include "TFormMain.h"
#include "TFormVersion.h"
#include "TFormZipSearch.h"

namespace AppWindows {

TFormMain* FormMain = nullptr;
TFormZipSearch* FormZipSearch = nullptr;
TFormVersion* FormVersion = nullptr;

void Create(const DataFolders& folders) {
    FormMain = new TFormMain(folders);
    FormZipSearch = new TFormZipSearch(FormMain);
    FormVersion = new TFormVersion(FormMain);
}

void Destroy() {
    delete FormMain;
    FormMain = nullptr;
    FormZipSearch = nullptr;
    FormVersion = nullptr;
}

}  // namespace AppWindows
