// The end-to-end scripts' helper, through the program's own store and in
// whatever format the wallet has:
//   e2e_wallettool fill PASSWORD ITEMS NOTE_BYTES   adds ITEMS items, each with
//                                                   a note of NOTE_BYTES random
//                                                   letters, in one write
//   e2e_wallettool count PASSWORD                   prints "opened total": how
//                                                   many names and values (deleted
//                                                   ones included) open under it
// The wallet is the one of the data folder that XDG_DATA_HOME places.
#include "randomstring.h"
#include "testenvironment.h"
#include "walletdatabase.h"

#include <cstdio>
#include <QApplication>

namespace {

int fill(const QString& password, int items, int noteBytes)
{
    WalletDatabase* db = WalletDatabase::instance();
    if (!db->checkPassword(password))
        return 1;
    const bool written = db->writeAll([&] {
        for (int i = 0; i < items; ++i)
            if (db->addItemWithFields(RootItemId, QStringLiteral("Filler %1").arg(i),
                                      QStringLiteral("document"), false,
                                      {{QStringLiteral("NOTE"), randomString(noteBytes)}})
                    .isEmpty())
                return false;
        return true;
    });
    return written ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    TestEnvironment::nameApplication();
    const QStringList args = app.arguments().mid(1);
    if (!openWalletDatabase() ||
        WalletDatabase::instance()->state() != WalletDatabase::State::Ready)
        return 1;
    if (args.size() == 4 && args[0] == QLatin1String("fill"))
        return fill(args[1], args[2].toInt(), args[3].toInt());
    if (args.size() == 2 && args[0] == QLatin1String("count")) {
        const CipherRows rows = cipherRowsOpenedBy(args[1]);
        std::printf("%d %d\n", rows.opened, rows.total);
        return 0;
    }
    std::fprintf(stderr, "usage: e2e_wallettool fill PASSWORD ITEMS NOTE_BYTES | count PASSWORD\n");
    return 2;
}
