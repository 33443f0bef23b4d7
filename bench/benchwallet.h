#pragma once

#include <functional>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// A temporary data folder holding a wallet of 10,000 items in 500 folders
// (20 items a folder) with 50,000 fields (5 an item), unlocked. It is written
// straight with SQL in one transaction so that setting it up takes seconds.
class BenchWallet
{
public:
    static constexpr int Folders = 500;
    static constexpr int ItemsPerFolder = 20;
    static constexpr int FieldsPerItem = 5;
    static const QString Password;

    BenchWallet();
    // Adds a folder of 1,000 items under the root and returns its id.
    QString addFolderOfThousand();
    QStringList folderIds;
    QString itemWithTwentyFields;

private:
    QTemporaryDir m_root;
};

// Runs the benchmarks of the executable in a temporary HOME and data folder,
// with an application object. beforeExit, when given, runs while that object
// still exists: fixtures holding widgets must be released there.
int runBenchmarks(int argc, char** argv, const std::function<void()>& beforeExit = {});
