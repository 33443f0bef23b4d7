#include "secretwipe.h"

#include <cstdlib>
#include <malloc.h>
#include <openssl/crypto.h>
#include <vector>

void wipeSharedText(QString& text)
{
    QString::DataPtr& data = text.data_ptr();
    // Static and raw strings (literals, fromRawData) own no heap block.
    if (data && !data->ref.isStatic() && data->alloc != 0 && data->size > 0)
        OPENSSL_cleanse(const_cast<QChar*>(text.constData()), size_t(data->size) * sizeof(QChar));
    text.clear();
}

void scrubFreedHeap()
{
    // glibc keeps up to 7 freed blocks per size class up to 1,032 bytes;
    // taking twice as many of each size empties every class.
    constexpr std::size_t Largest = 1032;
    constexpr std::size_t Step = 16;
    constexpr int PerSize = 14;
    std::vector<void*> blocks;
    blocks.reserve((Largest / Step + 1) * PerSize);
    for (std::size_t size = Step; size <= Largest; size += Step)
        for (int i = 0; i < PerSize; ++i)
            if (void* block = std::malloc(size)) {
                OPENSSL_cleanse(block, size);
                blocks.push_back(block);
            }
    for (void* block : blocks)
        std::free(block);
    malloc_trim(0);
}
