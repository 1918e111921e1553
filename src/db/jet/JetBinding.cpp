#include "JetBinding.h"

JetBinding::JetBinding(MdbTableDef* table, int columnIndex)
    : m_size(table->entry->mdb->bind_size), m_text(new char[m_size])
{
    m_text[0] = '\0';
    mdb_bind_column(table, columnIndex + 1, m_text.get(), &m_length);
}
