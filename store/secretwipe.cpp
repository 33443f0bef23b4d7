#include "secretwipe.h"

#include <openssl/crypto.h>

void wipeSharedText(QString& text)
{
    QString::DataPtr& data = text.data_ptr();
    // Static and raw strings (literals, fromRawData) own no heap block.
    if (data && !data->ref.isStatic() && data->alloc != 0 && data->size > 0)
        OPENSSL_cleanse(const_cast<QChar*>(text.constData()), size_t(data->size) * sizeof(QChar));
    text.clear();
}
