#pragma once

#include "MdbApi.h"

#include <memory>

// The buffer into which libmdb converts one column's value (as UTF-8 text) on every fetched row.
// Its memory is taken as the text needs it: the buffer is large enough for any memo, but a
// short value touches only a page of it.
class JetBinding
{
public:
    JetBinding(MdbTableDef* table, int columnIndex);

    const char* Text() const { return m_text.get(); }
    int Length() const { return m_length; }

    // True when the value filled the whole buffer, and so may have been cut short.
    bool Full() const { return m_length >= int(m_size) - 1; }

private:
    size_t m_size;
    std::unique_ptr<char[]> m_text;
    int m_length = 0;
};
