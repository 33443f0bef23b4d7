#pragma once

#include <QString>

// One entry of an icon catalogue.
struct IconInfo
{
    QString iconfil; // the icon name stored in items, folders and labels
    QString title;   // the display label
    QString search;  // search words (icon packs only)
    int type = 0;    // 0 built-in or "default" pack icon, 1 "custom" pack icon
};
