#pragma once

#include "fieldrecord.h"
#include "itemrecord.h"
#include "labelrecord.h"
#include "walletcipher.h"
#include "walletprotection.h"

#include <functional>
#include <memory>
#include <QHash>
#include <QList>
#include <QPair>
#include <QSet>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVariant>

class QSqlQuery;
class RowReader;

// The one process-wide store object: owns the default SQLite connection to
// "kelvaron.dat", the wallet id and, while the wallet is unlocked, the master
// password. Every store operation on items, fields and labels is a member.
class WalletDatabase
{
public:
    WalletDatabase();
    ~WalletDatabase();
    WalletDatabase(const WalletDatabase&) = delete;
    WalletDatabase& operator=(const WalletDatabase&) = delete;

    static WalletDatabase* instance();
    static QString databaseFilePath();
    static QString dataFolderPath();

    // What opening the wallet file found: a wallet (or a new file) ready for
    // use, a file that is not a usable wallet, or one held by another program.
    // Only a ready file is ever written.
    enum class State
    {
        Ready,
        Damaged,
        Busy
    };

    // Connection and properties
    void open();
    void close();
    // Closes the connection but keeps the password, so that open() can take
    // the same wallet up again (around a file replacement that may fail).
    void closeConnection();
    // Rows of kelvaron_items, deleted ones included; -1 when unreadable.
    int storedItemCount();
    void lock();
    bool createSchema();
    // Reads the wallet id and protection; why the protection cannot be used,
    // or an empty text.
    QString readProperties();
    void touchUpdateTimestamp(const QString& now);
    bool isFreshFile() const { return m_freshFile; }
    State state() const { return m_state; }
    // Why the file is not ready, for the user.
    QString problem() const { return m_problem; }
    bool isUninitialised();
    // Whether candidate opens the wallet; when it does, the key is held
    // until the wallet locks. A strong wallet derives the key once per call.
    bool checkPassword(const QString& candidate);
    // Re-enciphers every name and value under newPassword in format, in one
    // transaction, all or nothing: the properties row takes the new format
    // (and a new salt) in the same transaction. Nothing is written unless
    // every row deciphers under the current key; the paths of the items that
    // do not go to unreadablePaths. progress, when given, is told the rows
    // done and in all.
    bool reencryptAll(const QString& newPassword, WalletProtection::Format format,
                      const std::function<void(int done, int total)>& progress = {},
                      QStringList* unreadablePaths = nullptr);
    QString walletId() const { return m_walletId; }
    bool hasPassword() const { return m_cipher != nullptr; }
    // The protection of the open wallet, as its properties row says.
    const WalletProtection& protection() const { return m_protection; }

    QByteArray encrypt(const QString& plaintext) const;
    // The plaintext of value; a value that does not open under the held key
    // reads as "(unreadable)", never as the bytes it deciphers to.
    QString decrypt(const QByteArray& value) const;

    // Item tree
    ItemRecord getItem(const QString& id);
    // addItem and updateItem return the record as stored, or an empty record
    // when nothing was written (no password held, a deleted item, a refused write).
    ItemRecord addItem(const QString& id, const QString& parentId, const QString& name,
                       const QString& icon, bool folder);
    ItemRecord updateItem(const QString& id, const QString& name, const QString& icon);
    // Adds a folder or an item under parentId with its fields, given as
    // (label code, value) in their order, in one write. The new id, or an
    // empty text when nothing was written.
    QString addItemWithFields(const QString& parentId, const QString& name, const QString& icon,
                              bool folder, const QList<QPair<QString, QString>>& fields);
    // Runs the store writes that body makes as one transaction, all or
    // nothing: body returns whether every one of them was written. Returns
    // whether the whole was committed.
    bool writeAll(const std::function<bool()>& body);
    // What a move of an item or folder came to.
    enum class MoveResult
    {
        Moved,
        AlreadyThere,    // nothing to write
        IsRoot,          // the root never moves
        ItemNotFound,    // no live item of that id
        TargetNotFolder, // the target is not a live folder
        IntoItself,      // the target is the item itself or below it
        NotWritten       // the store refused the write
    };
    // Moves a live item or folder, with all it holds, below newParentId in
    // one transaction; its change time moves.
    MoveResult moveItem(const QString& itemId, const QString& newParentId);
    // The deletions and additions below return whether they were written.
    bool deleteItem(const QString& id);
    bool deleteItemWithFields(const QString& id);
    QString getParentId(const QString& id);
    bool hasChildren(const QString& id);
    QList<ItemRecord> listChildren(const QString& parentId);
    QString itemPath(const QString& id);
    // Every live item and folder (the root's row included), in one read,
    // without their times.
    QList<ItemRecord> listLiveItems();
    // Makes the root of a new wallet, protected in format, and the samples.
    void initialiseWallet(const QString& password,
                          WalletProtection::Format format = WalletProtection::Format::Original);

    // Fields
    FieldRecord getField(const QString& itemId, const QString& fieldId);
    QList<FieldRecord> listFields(const QString& itemId);
    // Every live field with its item's id, in one read, the fields of an
    // item together and in their order, without their change times.
    QList<QPair<QString, FieldRecord>> listLiveFields();
    // Adds a field (empty fieldId) or changes a live field's value, only on a
    // live item. Returns true when the intended row holds the value; saving an
    // unchanged value writes nothing and returns true.
    bool saveField(const QString& type, const QString& value, const QString& itemId,
                   const QString& fieldId);
    bool deleteField(const QString& itemId, const QString& fieldId);
    int maxSortWeight(const QString& itemId);
    // Whether the item has a live "Previous password" field.
    bool hasPreviousPasswordField(const QString& itemId);

    // Labels
    LabelRecord getLabel(const QString& fieldType);
    QList<LabelRecord> listLabels(int kind);
    bool addLabel(const QString& fieldType, const QString& labelName, const QString& icon,
                  const QString& valueType, bool system);
    // The new label's code, or an empty text when it was not written.
    QString addCustomLabel(const QString& labelName, const QString& icon, const QString& valueType);
    // Never stores an empty name; true when the label row was written.
    bool updateLabel(const QString& fieldType, const QString& labelName, const QString& icon);
    bool deleteLabel(const QString& fieldType);
    int labelUsageCount(const QString& fieldType);
    bool insertDefaultLabels(const QString& now);

private:
    friend bool openWalletDatabase();

    // Whether the timestamp of the properties row moves after a write:
    // only when the commit succeeded, or whatever the commit gave.
    enum class Touch
    {
        OnCommit,
        Always
    };

    // One store write: a transaction around body, commit or roll back, then
    // the update-timestamp touch. body returns whether every statement it
    // meant to run wrote what it should; when it does not, the transaction is
    // rolled back. Returns whether the write was committed.
    bool write(const QString& now, Touch touch, const std::function<bool()>& body);
    bool commitOrRollback();
    // Inserts a field row: :itemIdValue, :fieldIdValue, :typeValue,
    // :valueValue, :changeValue and :sortValue.
    static const QString InsertFieldSql;
    // Named parameters and their values for one statement.
    using Bindings = QList<QPair<QString, QVariant>>;
    // Runs a prepared UPDATE; true only when it changed exactly one row.
    static bool execWritesOneRow(QSqlQuery& query);
    bool isLiveItem(const QString& itemId);
    // Whether id is ancestorId or lies below it.
    bool isAtOrBelow(const QString& id, const QString& ancestorId);
    // The paths of itemIds for the user; those in unreadableNames by their
    // parent's path and id.
    QStringList unreadableItemPaths(const QSet<QString>& itemIds,
                                    const QSet<QString>& unreadableNames);
    bool updateFieldValue(const QString& itemId, const QString& fieldId,
                          const QByteArray& enciphered, const QString& now);
    bool keepPreviousPassword(const QString& itemId, const FieldRecord& old, const QString& now);
    bool insertField(const QString& itemId, const QString& type, const QByteArray& enciphered,
                     const QString& now);
    bool rowExists(const QString& sql, const Bindings& bindings);
    static bool prepareBound(QSqlQuery& query, const QString& sql, const Bindings& bindings);
    // Runs a statement with its named parameters bound; whether it ran.
    static bool execBound(const QString& sql, const Bindings& bindings);
    // The same for an UPDATE that must change exactly one row.
    static bool execBoundOnOneRow(const QString& sql, const Bindings& bindings);
    // A field's label, read once per listing: labels holds those read so far.
    LabelRecord cachedLabel(const QString& type, QHash<QString, LabelRecord>* labels);
    QString unusedId(int length, const std::function<bool(const QString&)>& taken);
    ItemRecord itemFromRow(const RowReader& row) const;
    // Reads a field row; labels caches the labels already read for this listing.
    FieldRecord fieldFromRow(const RowReader& row, QHash<QString, LabelRecord>* labels);
    LabelRecord labelFromRow(const RowReader& row) const;

    static bool hasSqliteHeader(const QString& path);
    void refuse(State state, const QString& problem);
    bool checkExistingFile();
    int rowCount(const QString& sql);
    bool setUpdateTimestamp(const QString& now);
    bool insertLabel(const QString& fieldType, const QString& labelName, const QString& icon,
                     const QString& valueType, bool system, const QString& now);
    // Writes protection into the properties row, adding or dropping the
    // key-derivation columns, inside the caller's transaction.
    bool writeProtection(const WalletProtection& protection);
    void forgetPassword();

    // The key of the unlocked wallet; null while locked.
    std::unique_ptr<WalletCipher> m_cipher;
    WalletProtection m_protection;
    State m_state = State::Ready;
    QString m_problem;
    QSqlDatabase m_connection;
    // While writeAll runs, each write joins its transaction.
    bool m_inWriteAll = false;
    QString m_walletId;
    bool m_freshFile = false;
};

// Creates the process-wide store object and opens the wallet file.
bool openWalletDatabase();

// The current UTC time as "yyyy-MM-dd HH:mm:ss", the form of every stored timestamp.
QString currentTimestamp();

// "en" or "ru", from the system locale.
QString languageCode();

// The path of an item from the root ("/" for the root, "" for an empty id).
QString itemPathOf(const QString& id);

extern const QString RootItemId;
