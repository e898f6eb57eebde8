#include "DataRootChoice.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>

#include "DataFolders.h"
#include "Messages.h"
#include "ModelError.h"

namespace {

const QString DialogTitle = QStringLiteral("データフォルダの選択");

QString samePath(const QString& path) {
    return QDir::cleanPath(QDir(path).absolutePath());
}

// The nearest folder that exists: the remembered one of an unmounted share does not, and
// the dialog would then open somewhere unrelated.
QString existingFolder(const QString& path) {
    QString folder = samePath(path);
    while (!QFileInfo(folder).isDir() && folder != QDir::rootPath()) {
        folder = QFileInfo(folder).path();
    }
    return folder;
}

QString askFolder(QWidget* parent, const QString& start) {
    return QFileDialog::getExistingDirectory(
        parent, DialogTitle, existingFolder(start),
        QFileDialog::ShowDirsOnly | QFileDialog::DontResolveSymlinks);
}

DataRootChoice::StartAnswer askAtStart(const QString& text) {
    QMessageBox box(QMessageBox::Warning, QApplication::applicationDisplayName(), text);
    QPushButton* another =
        box.addButton(QStringLiteral("別のフォルダを選ぶ..."), QMessageBox::AcceptRole);
    QPushButton* standard =
        box.addButton(QStringLiteral("今回は標準のフォルダを使う"), QMessageBox::AcceptRole);
    QPushButton* quit = box.addButton(QStringLiteral("終了"), QMessageBox::RejectRole);
    box.setDefaultButton(another);
    box.setEscapeButton(quit);
    box.exec();
    if (box.clickedButton() == another) {
        return DataRootChoice::StartAnswer::ChooseAnother;
    }
    return box.clickedButton() == standard ? DataRootChoice::StartAnswer::UseDefault
                                           : DataRootChoice::StartAnswer::Quit;
}

bool startAgain() {
    return QProcess::startDetached(QCoreApplication::applicationFilePath(),
                                   QCoreApplication::arguments().mid(1));
}

DataRootChoice::FolderDialog& folderDialog() {
    static DataRootChoice::FolderDialog current;
    return current;
}

DataRootChoice::StartQuestion& startQuestion() {
    static DataRootChoice::StartQuestion current;
    return current;
}

DataRootChoice::Restarter& restarter() {
    static DataRootChoice::Restarter current;
    return current;
}

QString chooseFolder(QWidget* parent, const QString& start) {
    return folderDialog() ? folderDialog()(parent, start) : askFolder(parent, start);
}

// Remembers folder as the user's root; false when it is not one and the user does not want
// a new one started there. An empty folder is taken only on purpose, so that a share's
// mount point is never filled with a second, empty set of data.
bool adopt(QWidget* parent, const QString& folder) {
    try {
        if (samePath(folder) == samePath(DataFolders::DefaultRoot())) {
            DataFolders::RememberRoot({});
            return true;
        }
        switch (const auto state = DataFolders::StateOf(folder)) {
            case DataFolders::RootState::Usable:
                break;
            case DataFolders::RootState::Empty:
                if (!Messages::Question(parent,
                                        QStringLiteral("フォルダ「%1」にはデータがありません。\r\n"
                                                       "ここで新しいデータフォルダを始めますか？")
                                            .arg(samePath(folder)))) {
                    return false;
                }
                // Started now, so that the folder is a root even if the next start is later.
                DataFolders(folder).StartNew();
                break;
            case DataFolders::RootState::Missing:
                Messages::Error(parent, DataFolders::UnusableText(folder, state));
                return false;
        }
        DataFolders::RememberRoot(folder);
        return true;
    } catch (const EModelError& error) {
        Messages::Error(parent, error.message());
        return false;
    }
}

// After the choice changed: the next start's root, and the offer to make that start now
// through the window's own close, which may still ask about unsaved data.
void offerRestart(QWidget* window, const QString& current) {
    const QString next = DataFolders::ChosenRoot();
    if (samePath(next) == samePath(current)) {
        Messages::Information(
            window,
            QStringLiteral("データフォルダ「%1」をすでに使っています。").arg(samePath(current)));
        return;
    }
    if (!Messages::Question(window, QStringLiteral("次回の起動からデータフォルダ「%1」を使います。"
                                                   "\r\n今すぐ起動し直しますか？")
                                        .arg(samePath(next)))) {
        return;
    }
    if (!window->close()) {
        return;
    }
    const bool started = restarter() ? restarter()() : startAgain();
    if (!started) {
        Messages::Error(nullptr,
                        QStringLiteral("起動し直せませんでした。もう一度起動してください。"));
    }
}

}  // namespace

namespace DataRootChoice {

QString RootAtStart() {
    for (;;) {
        const QString problem = DataFolders::ChosenRootProblem();
        if (problem.isEmpty()) {
            return DataFolders::ChosenRoot();
        }
        const QString text =
            problem + QStringLiteral(
                          "\r\n\r\n別のフォルダを選ぶか、今回だけ標準のデータフォルダ"
                          "「%1」を使うことができます。")
                          .arg(samePath(DataFolders::DefaultRoot()));
        switch (startQuestion() ? startQuestion()(text) : askAtStart(text)) {
            case StartAnswer::Quit:
                return {};
            case StartAnswer::UseDefault:
                // For this run only: the share may be back at the next start.
                return DataFolders::DefaultRoot();
            case StartAnswer::ChooseAnother:
                if (const QString folder = chooseFolder(nullptr, DataFolders::RememberedRoot());
                    !folder.isEmpty()) {
                    adopt(nullptr, folder);
                }
                break;
        }
    }
}

void ChooseFolder(QWidget* window, const QString& current) {
    const QString folder = chooseFolder(window, current);
    if (!folder.isEmpty() && adopt(window, folder)) {
        offerRestart(window, current);
    }
}

void ChooseDefault(QWidget* window, const QString& current) {
    try {
        DataFolders::RememberRoot({});
    } catch (const EModelError& error) {
        Messages::Error(window, error.message());
        return;
    }
    offerRestart(window, current);
}

void SetFolderDialog(FolderDialog dialog) {
    folderDialog() = std::move(dialog);
}

void SetStartQuestion(StartQuestion question) {
    startQuestion() = std::move(question);
}

void SetRestarter(Restarter r) {
    restarter() = std::move(r);
}

}  // namespace DataRootChoice
