#include "iconcatalogue.h"

#include "iconpack.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>

namespace {

struct Entry
{
    const char* name;
    const char* title;
};

const Entry FolderIcons[] = {
    {"folder", QT_TRANSLATE_NOOP("", "Usual folder")},
    {"folderbanking", QT_TRANSLATE_NOOP("", "Banking")},
    {"foldercars", QT_TRANSLATE_NOOP("", "Cars")},
    {"foldercloud", QT_TRANSLATE_NOOP("", "Cloud")},
    {"foldercomps", QT_TRANSLATE_NOOP("", "Computers")},
    {"folderdocument", QT_TRANSLATE_NOOP("", "Documents")},
    {"folderemail", QT_TRANSLATE_NOOP("", "E-mails")},
    {"foldergames", QT_TRANSLATE_NOOP("", "Games")},
    {"folderinternet", QT_TRANSLATE_NOOP("", "Internet")},
    {"foldernotes", QT_TRANSLATE_NOOP("", "Notes")},
    {"folderphones", QT_TRANSLATE_NOOP("", "Phones")},
    {"foldersecret", QT_TRANSLATE_NOOP("", "Security")},
    {"foldershop", QT_TRANSLATE_NOOP("", "Shopping")},
    {"folderskype", QT_TRANSLATE_NOOP("", "Messengers")},
    {"foldersocial", QT_TRANSLATE_NOOP("", "Social networks")},
    {"foldersoft", QT_TRANSLATE_NOOP("", "Software")},
    {"folderusers", QT_TRANSLATE_NOOP("", "People")},
};

const Entry LabelIcons[] = {
    {"labelasterisk", QT_TRANSLATE_NOOP("", "Asterisk")},
    {"labelat", QT_TRANSLATE_NOOP("", "Mail sign @")},
    {"labelbook", QT_TRANSLATE_NOOP("", "Book")},
    {"labelcalendar", QT_TRANSLATE_NOOP("", "Calendar")},
    {"labelcalendar2", QT_TRANSLATE_NOOP("", "Calendar event")},
    {"labelcd", QT_TRANSLATE_NOOP("", "Compact Disc")},
    {"labelcellphone", QT_TRANSLATE_NOOP("", "Cell phone")},
    {"labelcharts", QT_TRANSLATE_NOOP("", "Charts")},
    {"labelcheck", QT_TRANSLATE_NOOP("", "Check")},
    {"labelclassicphone", QT_TRANSLATE_NOOP("", "Classic phone")},
    {"labelclock", QT_TRANSLATE_NOOP("", "Clock")},
    {"labelcreditcard", QT_TRANSLATE_NOOP("", "Credit card")},
    {"labeldesktop", QT_TRANSLATE_NOOP("", "Desktop")},
    {"labeldirection", QT_TRANSLATE_NOOP("", "Direction")},
    {"labeldoc", QT_TRANSLATE_NOOP("", "Document")},
    {"labeldollar", QT_TRANSLATE_NOOP("", "Currency")},
    {"labelempty", QT_TRANSLATE_NOOP("", "Empty")},
    {"labelgirlhead", QT_TRANSLATE_NOOP("", "Girl")},
    {"labelhome", QT_TRANSLATE_NOOP("", "Home")},
    {"labelhttp", QT_TRANSLATE_NOOP("", "Web page")},
    {"labelinfo", QT_TRANSLATE_NOOP("", "Information")},
    {"labelinfo3", QT_TRANSLATE_NOOP("", "Information sign")},
    {"labeliphone", QT_TRANSLATE_NOOP("", "iPhone")},
    {"labelkeyboard", QT_TRANSLATE_NOOP("", "Keyboard")},
    {"labellaptop", QT_TRANSLATE_NOOP("", "Laptop")},
    {"labelmagic", QT_TRANSLATE_NOOP("", "Magic")},
    {"labelmail2", QT_TRANSLATE_NOOP("", "E-mail")},
    {"labelman", QT_TRANSLATE_NOOP("", "Man")},
    {"labelmanhead", QT_TRANSLATE_NOOP("", "Person")},
    {"labelnumber", QT_TRANSLATE_NOOP("", "Number")},
    {"labelok", QT_TRANSLATE_NOOP("", "OK")},
    {"labelpass", QT_TRANSLATE_NOOP("", "Password")},
    {"labelpencil", QT_TRANSLATE_NOOP("", "Pencil")},
    {"labelpeople", QT_TRANSLATE_NOOP("", "People")},
    {"labelpercent", QT_TRANSLATE_NOOP("", "Percent")},
    {"labelphone", QT_TRANSLATE_NOOP("", "Phone")},
    {"labelquestion", QT_TRANSLATE_NOOP("", "Question")},
    {"labelrotate", QT_TRANSLATE_NOOP("", "Rotate")},
    {"labelrss", QT_TRANSLATE_NOOP("", "RSS")},
    {"labelserver", QT_TRANSLATE_NOOP("", "Server")},
    {"labelserver2", QT_TRANSLATE_NOOP("", "Server rack")},
    {"labelstar", QT_TRANSLATE_NOOP("", "Star")},
    {"labelstick", QT_TRANSLATE_NOOP("", "Stick")},
    {"labeltools", QT_TRANSLATE_NOOP("", "Tools")},
    {"labelwarning", QT_TRANSLATE_NOOP("", "Warning")},
    {"labelweb", QT_TRANSLATE_NOOP("", "Web")},
    {"labelwireless", QT_TRANSLATE_NOOP("", "Wireless")},
    {"labelwoman", QT_TRANSLATE_NOOP("", "Woman")},
    {"labelworld", QT_TRANSLATE_NOOP("", "Internet")},
    {"labelworld2", QT_TRANSLATE_NOOP("", "Globe")},
    {"labelworld3", QT_TRANSLATE_NOOP("", "Web location")},
    {"labelwww", QT_TRANSLATE_NOOP("", "WWW")},
};

const Entry ItemIcons[] = {
    {"icon_document", QT_TRANSLATE_NOOP("", "Document")},
    {"icon_accesspoint", QT_TRANSLATE_NOOP("", "Access point")},
    {"icon_airplane", QT_TRANSLATE_NOOP("", "Airplane")},
    {"icon_amazon", QT_TRANSLATE_NOOP("", "Amazon")},
    {"icon_americanexpress", QT_TRANSLATE_NOOP("", "American Express")},
    {"icon_apple", QT_TRANSLATE_NOOP("", "Apple")},
    {"icon_aspirin", QT_TRANSLATE_NOOP("", "Pills")},
    {"icon_badoo", QT_TRANSLATE_NOOP("", "Badoo")},
    {"icon_bitcoin", QT_TRANSLATE_NOOP("", "Bitcoin")},
    {"icon_blackberry", QT_TRANSLATE_NOOP("", "Blackberry")},
    {"icon_blogger", QT_TRANSLATE_NOOP("", "Blogger")},
    {"icon_book", QT_TRANSLATE_NOOP("", "Book")},
    {"icon_box", QT_TRANSLATE_NOOP("", "Box")},
    {"icon_calendar", QT_TRANSLATE_NOOP("", "Calendar")},
    {"icon_cd", QT_TRANSLATE_NOOP("", "Compact Disc")},
    {"icon_clock", QT_TRANSLATE_NOOP("", "Clock")},
    {"icon_coins", QT_TRANSLATE_NOOP("", "Coins")},
    {"icon_comp", QT_TRANSLATE_NOOP("", "Computer")},
    {"icon_compass", QT_TRANSLATE_NOOP("", "Compass")},
    {"icon_corona", QT_TRANSLATE_NOOP("", "Corona")},
    {"icon_cp", QT_TRANSLATE_NOOP("", "Control panel")},
    {"icon_dollar", QT_TRANSLATE_NOOP("", "Dollar")},
    {"icon_droid", QT_TRANSLATE_NOOP("", "Android")},
    {"icon_dropbox", QT_TRANSLATE_NOOP("", "Dropbox")},
    {"icon_earth", QT_TRANSLATE_NOOP("", "Internet")},
    {"icon_earth2", QT_TRANSLATE_NOOP("", "WWW")},
    {"icon_ebay", QT_TRANSLATE_NOOP("", "E-bay")},
    {"icon_euro", QT_TRANSLATE_NOOP("", "Euro")},
    {"icon_evernote", QT_TRANSLATE_NOOP("", "Evernote")},
    {"icon_exchange", QT_TRANSLATE_NOOP("", "Outlook / Exchange")},
    {"icon_facebook", QT_TRANSLATE_NOOP("", "Facebook")},
    {"icon_fireman", QT_TRANSLATE_NOOP("", "Fire")},
    {"icon_firstaid", QT_TRANSLATE_NOOP("", "First aid")},
    {"icon_flag", QT_TRANSLATE_NOOP("", "Flag")},
    {"icon_forpdaru", QT_TRANSLATE_NOOP("", "Mobile devices forum")},
    {"icon_gameloft", QT_TRANSLATE_NOOP("", "Gameloft")},
    {"icon_gift", QT_TRANSLATE_NOOP("", "Gift")},
    {"icon_giftcard", QT_TRANSLATE_NOOP("", "Gift card")},
    {"icon_github", QT_TRANSLATE_NOOP("", "GitHub")},
    {"icon_gmail", QT_TRANSLATE_NOOP("", "GMail")},
    {"icon_googlecheckout", QT_TRANSLATE_NOOP("", "Google Wallet")},
    {"icon_googledrive", QT_TRANSLATE_NOOP("", "Google Drive")},
    {"icon_gplay", QT_TRANSLATE_NOOP("", "Google Play")},
    {"icon_gplus", QT_TRANSLATE_NOOP("", "Google Plus")},
    {"icon_gtalk", QT_TRANSLATE_NOOP("", "Google Talk")},
    {"icon_heart", QT_TRANSLATE_NOOP("", "Heart")},
    {"icon_helicopter", QT_TRANSLATE_NOOP("", "Helicopter")},
    {"icon_home", QT_TRANSLATE_NOOP("", "Home")},
    {"icon_hostgator", QT_TRANSLATE_NOOP("", "Hostgator")},
    {"icon_hrs", QT_TRANSLATE_NOOP("", "HRS")},
    {"icon_icq", QT_TRANSLATE_NOOP("", "ICQ")},
    {"icon_info", QT_TRANSLATE_NOOP("", "Information")},
    {"icon_instg", QT_TRANSLATE_NOOP("", "Instagram")},
    {"icon_iphone", QT_TRANSLATE_NOOP("", "iPhone")},
    {"icon_key", QT_TRANSLATE_NOOP("", "Key / Password")},
    {"icon_key2", QT_TRANSLATE_NOOP("", "Key")},
    {"icon_kinopoisk", QT_TRANSLATE_NOOP("", "Kinopoisk")},
    {"icon_lingualeo", QT_TRANSLATE_NOOP("", "LinguaLeo")},
    {"icon_linkedin", QT_TRANSLATE_NOOP("", "LinkedIn")},
    {"icon_live", QT_TRANSLATE_NOOP("", "Live")},
    {"icon_lj", QT_TRANSLATE_NOOP("", "LiveJournal")},
    {"icon_maestro", QT_TRANSLATE_NOOP("", "Maestro")},
    {"icon_mail", QT_TRANSLATE_NOOP("", "E-mail")},
    {"icon_mail3", QT_TRANSLATE_NOOP("", "Open envelope")},
    {"icon_mailbox", QT_TRANSLATE_NOOP("", "Mailbox")},
    {"icon_mastercard", QT_TRANSLATE_NOOP("", "Master Card")},
    {"icon_medical", QT_TRANSLATE_NOOP("", "Emergency")},
    {"icon_money", QT_TRANSLATE_NOOP("", "Money")},
    {"icon_oovoo", QT_TRANSLATE_NOOP("", "Oovoo")},
    {"icon_passport", QT_TRANSLATE_NOOP("", "Passport")},
    {"icon_paypal", QT_TRANSLATE_NOOP("", "Paypal")},
    {"icon_pencil", QT_TRANSLATE_NOOP("", "Pencil")},
    {"icon_picasa", QT_TRANSLATE_NOOP("", "Picasa")},
    {"icon_pocket", QT_TRANSLATE_NOOP("", "Pocket")},
    {"icon_police", QT_TRANSLATE_NOOP("", "Police")},
    {"icon_psp", QT_TRANSLATE_NOOP("", "PSP")},
    {"icon_redcar", QT_TRANSLATE_NOOP("", "Red car")},
    {"icon_rss", QT_TRANSLATE_NOOP("", "RSS")},
    {"icon_securitye", QT_TRANSLATE_NOOP("", "Security")},
    {"icon_securityq", QT_TRANSLATE_NOOP("", "Security question")},
    {"icon_server", QT_TRANSLATE_NOOP("", "Server")},
    {"icon_settings", QT_TRANSLATE_NOOP("", "Settings")},
    {"icon_skydrive", QT_TRANSLATE_NOOP("", "Sky Drive")},
    {"icon_skype", QT_TRANSLATE_NOOP("", "Skype")},
    {"icon_sportcar", QT_TRANSLATE_NOOP("", "Sport car")},
    {"icon_steam", QT_TRANSLATE_NOOP("", "Steam")},
    {"icon_stick", QT_TRANSLATE_NOOP("", "Stick")},
    {"icon_surfingbird", QT_TRANSLATE_NOOP("", "Surfingbird")},
    {"icon_sync", QT_TRANSLATE_NOOP("", "Sync")},
    {"icon_taxi", QT_TRANSLATE_NOOP("", "Taxi")},
    {"icon_teamviewer", QT_TRANSLATE_NOOP("", "Team Viewer")},
    {"icon_terminal", QT_TRANSLATE_NOOP("", "Terminal")},
    {"icon_truck", QT_TRANSLATE_NOOP("", "Truck")},
    {"icon_truecrypt", QT_TRANSLATE_NOOP("", "Truecrypt")},
    {"icon_tune", QT_TRANSLATE_NOOP("", "Tune")},
    {"icon_twitter", QT_TRANSLATE_NOOP("", "Twitter")},
    {"icon_unfuddle", QT_TRANSLATE_NOOP("", "Unfuddle")},
    {"icon_user", QT_TRANSLATE_NOOP("", "User")},
    {"icon_utorrent", QT_TRANSLATE_NOOP("", "uTorrent")},
    {"icon_vacation", QT_TRANSLATE_NOOP("", "Vacation")},
    {"icon_vimeo", QT_TRANSLATE_NOOP("", "Vimeo")},
    {"icon_visa", QT_TRANSLATE_NOOP("", "Visa")},
    {"icon_visadebit", QT_TRANSLATE_NOOP("", "Visa Debit")},
    {"icon_visaelectron", QT_TRANSLATE_NOOP("", "Visa Electron")},
    {"icon_vkontakte", QT_TRANSLATE_NOOP("", "VKontakte")},
    {"icon_wall", QT_TRANSLATE_NOOP("", "Wall")},
    {"icon_whitecar", QT_TRANSLATE_NOOP("", "White car")},
    {"icon_wiki", QT_TRANSLATE_NOOP("", "Wikipedia")},
    {"icon_win", QT_TRANSLATE_NOOP("", "Windows logo")},
    {"icon_windows", QT_TRANSLATE_NOOP("", "Windows")},
    {"icon_wireless", QT_TRANSLATE_NOOP("", "Wireless Access Point")},
    {"icon_wmk", QT_TRANSLATE_NOOP("", "WebMoney Keeper")},
    {"icon_wmlogo", QT_TRANSLATE_NOOP("", "Web Money")},
    {"icon_wordpress", QT_TRANSLATE_NOOP("", "Wordpress")},
    {"icon_xcode", QT_TRANSLATE_NOOP("", "XCode")},
    {"icon_xmarks", QT_TRANSLATE_NOOP("", "XMarks")},
    {"icon_yahoo", QT_TRANSLATE_NOOP("", "Yahoo")},
    {"icon_yandex", QT_TRANSLATE_NOOP("", "Yandex")},
    {"icon_youtube", QT_TRANSLATE_NOOP("", "Youtube")},
};

enum Kind
{
    ItemKind = 0,
    FolderKind = 1,
    LabelKind = 2
};

QList<IconInfo>& catalogue(Kind kind)
{
    static QList<IconInfo> items;
    static QList<IconInfo> folders;
    static QList<IconInfo> labels;
    return kind == FolderKind ? folders : kind == LabelKind ? labels : items;
}

template <size_t N> void registerAll(const Entry (&entries)[N], Kind kind)
{
    for (const Entry& entry : entries)
        registerIcon(QLatin1String(entry.name),
                     *entry.title ? QCoreApplication::translate("", entry.title) : QString(), kind,
                     QString());
}

} // namespace

const QList<IconInfo>& folderIconCatalogue()
{
    static const bool built = (registerAll(FolderIcons, FolderKind), true);
    Q_UNUSED(built)
    return catalogue(FolderKind);
}

const QList<IconInfo>& labelIconCatalogue()
{
    static const bool built = (registerAll(LabelIcons, LabelKind), true);
    Q_UNUSED(built)
    return catalogue(LabelKind);
}

const QList<IconInfo>& itemIconCatalogue()
{
    static const bool built = [] {
        readIconPack(iconPackFolder() + QDir::separator() + QStringLiteral("iconset.xml"),
                     &catalogue(ItemKind));
        registerAll(ItemIcons, ItemKind);
        return true;
    }();
    Q_UNUSED(built)
    return catalogue(ItemKind);
}

void registerIcon(const QString& name, const QString& title, int kind, const QString& search)
{
    IconInfo info{name, title, QString(), 0};
    switch (kind) {
    case FolderKind:
    case LabelKind:
        catalogue(Kind(kind)).append(info);
        break;
    case ItemKind: {
        QList<IconInfo>& items = catalogue(ItemKind);
        for (const IconInfo& existing : items)
            if (existing.iconfil == name)
                return;
        info.search = search;
        items.append(info);
        break;
    }
    default:
        break;
    }
}

QString iconPackFolder()
{
    return QDir::toNativeSeparators(
               QStandardPaths::writableLocation(QStandardPaths::DataLocation)) +
           QDir::separator() + QStringLiteral("icons");
}

QString iconFilePath(const QString& name)
{
    const QString prefixed =
        name.contains(QLatin1String("icon_")) ? name : QStringLiteral("icon_") + name;
    const QString packPicture =
        iconPackFolder() + QDir::separator() + prefixed + QStringLiteral(".png");
    if (QFile::exists(packPicture))
        return packPicture;
    const QString resource =
        QStringLiteral(":/app_icons/appicons/") + prefixed + QStringLiteral("_huge.png");
    if (QFile::exists(resource))
        return resource;
    return QStringLiteral(":/app_icons/appicons/icon_document_huge.png");
}

QIcon iconForName(const QString& name)
{
    return QIcon(iconFilePath(name));
}
