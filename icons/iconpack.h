#pragma once

#include "iconinfo.h"

#include <QList>
#include <QString>

class QDomElement;

// Reads one "icon" element of a pack description; appends the entry to
// catalogue when it has an id, a valid kind and an English display label.
void readPackIcon(const QDomElement& element, QList<IconInfo>* catalogue);

// Reads a pack description ("iconset.xml") and appends its icons in file
// order. A missing, oversized, malformed or entity-declaring file adds nothing.
void readIconPack(const QString& descriptionPath, QList<IconInfo>* catalogue);
