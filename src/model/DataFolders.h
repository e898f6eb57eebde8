#pragma once

#include <QString>

// Where the program keeps everything: the data root and its folders, each path ending in
// "/". The root is the user's data location + "HESTREL/Pelkano4/" (XDG_DATA_HOME moves it).
class DataFolders {
  public:
    static QString DefaultRoot();

    // The data root this user works in, the window and the tool alike: the folder chosen
    // with 「データフォルダの選択」 (several PCs choose one on a share), else DefaultRoot().
    static QString ChosenRoot();
    // The chosen folder as remembered, empty while the user keeps the default.
    static QString RememberedRoot();
    // Remembers root for this user's next starts; an empty root, or the default, forgets
    // the choice.
    static void RememberRoot(const QString& root);
    // The per-user settings file, which also holds the drop-downs' histories.
    static QString UserSettingsPath();

    enum class RootState {
        Usable,
        Missing,  // no such folder
        Empty,    // neither conf.ini nor data/: perhaps the mount point of an unmounted share
    };
    static RootState StateOf(const QString& root);
    // Why ChosenRoot() may not be used, for the user; empty when it may. Only a remembered
    // folder is refused: preparing a new root in place of a share that is not there would
    // split the shop's data, whereas the default root is made on first use.
    static QString ChosenRootProblem();
    // The user's message for a folder that is not a usable root.
    static QString UnusableText(const QString& root, RootState state);

    explicit DataFolders(const QString& root);

    const QString& RootFolder() const { return root_; }
    QString ImgFolder() const { return root_ + QStringLiteral("img/"); }
    QString DataFolder() const { return root_ + QStringLiteral("data/"); }
    QString ZipFolder() const { return root_ + QStringLiteral("zip/"); }
    QString ConfPath() const { return root_ + QStringLiteral("conf.ini"); }
    QString PrintIniPath() const { return root_ + QStringLiteral("print.ini"); }
    QString CustomerPath() const { return root_ + QStringLiteral("Customer.dat"); }
    QString ItemListPath() const { return root_ + QStringLiteral("ItemList.dat"); }
    QString ItemUnitPath() const { return root_ + QStringLiteral("ItemUnit.dat"); }

    // Creates a missing root and its img, data and zip folders, so a new user starts with a
    // working folder; a root made here gets a first "conf.ini" with today's tax rate of 10 %.
    // Temporary files that saves killed part-way left in these folders are removed.
    // Throws EFileError when a folder cannot be created.
    void Prepare() const;
    // Makes an existing empty folder the root of a new data folder, as Prepare does for a
    // root that did not exist.
    void StartNew() const;

    static bool FolderExists(const QString& path);

  private:
    void prepare(bool newRoot) const;

    QString root_;
};
