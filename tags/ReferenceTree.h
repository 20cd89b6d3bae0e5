#pragma once

#include <QList>
#include <QString>

namespace Quillorn {

// A reference tree: a title and folders of items, each item a name, a one-line description
// and the code it inserts.
struct ReferenceTree {
    struct Item {
        QString name;
        QString description;
        QString code;
    };
    struct Folder {
        QString name;
        QList<Item> items;
    };

    QString title;
    QList<Folder> folders;

    int itemCount() const;
    bool isEmpty() const { return title.isEmpty() && folders.isEmpty(); }
};

} // namespace Quillorn
