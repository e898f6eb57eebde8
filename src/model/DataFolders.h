#pragma once

#include <QString>

// Where the program keeps everything: the data root and its folders, each path ending in
// "/". The root is the user's data location + "HESTREL/Pelkano4/" (XDG_DATA_HOME moves it).
class DataFolders {
  public:
    static QString DefaultRoot();

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

    static bool FolderExists(const QString& path);

  private:
    QString root_;
};
