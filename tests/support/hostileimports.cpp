#include "hostileimports.h"

#include <QDir>
#include <QFile>
#include <sys/stat.h>

namespace {

constexpr int Depth = 20000;
constexpr int Addresses = 100000;

QString writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("A crafted import file could not be written");
    return path;
}

} // namespace

QStringList HostileImports::shapes()
{
    return {QStringLiteral("deep KeePassXC group"), QStringLiteral("deep Bitwarden folder"),
            QStringLiteral("many addresses"),       QStringLiteral("link to /dev/zero"),
            QStringLiteral("named pipe"),           QStringLiteral("folder")};
}

QString HostileImports::write(const QString& folder, const QString& shape)
{
    const QString path = QDir(folder).filePath(QStringLiteral("hostile"));
    QFile::remove(path);
    if (shape == QLatin1String("deep KeePassXC group"))
        return writeBytes(path, "\"Group\",\"Title\",\"Username\",\"Password\",\"URL\",\"Notes\"\n"
                                "\"Root/" +
                                    QByteArray("a/").repeated(Depth) +
                                    "\",\"t\",\"u\",\"p\",\"\",\"\"\n");
    if (shape == QLatin1String("deep Bitwarden folder"))
        return writeBytes(path,
                          "{\"encrypted\": false, \"folders\": [{\"id\": \"f\", \"name\": \"" +
                              QByteArray("a/").repeated(Depth) +
                              "\"}], \"items\": [{\"type\": 2, \"name\": \"n\", "
                              "\"folderId\": \"f\"}]}");
    if (shape == QLatin1String("many addresses"))
        return writeBytes(path, "folder,favorite,type,name,notes,fields,reprompt,login_uri,"
                                "login_username,login_password,login_totp\n,,login,n,,,0,\"" +
                                    QByteArray("a.io,").repeated(Addresses) + "\",u,p,\n");
    if (shape == QLatin1String("link to /dev/zero")) {
        QFile::link(QStringLiteral("/dev/zero"), path);
        return path;
    }
    if (shape == QLatin1String("named pipe")) {
        ::mkfifo(QFile::encodeName(path).constData(), 0600);
        return path;
    }
    QDir().mkpath(path);
    return path;
}
