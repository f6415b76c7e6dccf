#include "linestore.h"

#include "textfiles.h"

void TLineStore::LoadFromFile(const QString &fileName)
{
    m_lines = TextFiles::ReadLines(fileName);
}
