#pragma once

#include "iconinfo.h"

#include <QIcon>
#include <QList>
#include <QString>

// The catalogues of folder, label and item icons offered by the editors. Each
// is built on its first request and kept unchanged until the process ends.
const QList<IconInfo>& folderIconCatalogue();
const QList<IconInfo>& labelIconCatalogue();
const QList<IconInfo>& itemIconCatalogue();

// Adds an entry while a catalogue is built: kind 1 folder, 2 label, 0 item
// (skipped when the item catalogue already holds that icon name).
void registerIcon(const QString& name, const QString& title, int kind, const QString& search);

// The folder of the installed icon pack, inside the application data folder.
QString iconPackFolder();

// The picture of an icon name: the icon pack's picture, else the built-in
// one, else the document picture.
QString iconFilePath(const QString& name);
QIcon iconForName(const QString& name);
