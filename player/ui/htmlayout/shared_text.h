// Reference-counted text that the engine's writer callbacks fill: one heap block of
// {reference count, length, characters, terminating zero}; null is the empty text.
// User-interface thread only.
#pragma once

#include <htmlayout.h>

#include <climits>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace htmlayout {

template <class CharT>
class basic_shared_text {
public:
    basic_shared_text() = default;
    basic_shared_text(const basic_shared_text& other) : m_block(other.m_block) {
        if (m_block) ++m_block->refs;
    }
    basic_shared_text& operator=(const basic_shared_text& other) {
        basic_shared_text copy(other);
        std::swap(m_block, copy.m_block);
        return *this;
    }
    ~basic_shared_text() { release(); }

    // Drops this reference (the block goes with the last one) and becomes empty.
    void release() {
        if (m_block && --m_block->refs == 0) std::free(m_block);
        m_block = nullptr;
    }
    bool empty() const { return length() == 0; }
    int length() const { return m_block ? m_block->length : 0; }
    // The characters, zero-terminated; an empty text for null.
    const CharT* c_str() const {
        static const CharT none[1] = {};
        return m_block ? m_block->chars() : none;
    }

    // Writer callback for the engine: param is the destination, which gets a new block
    // with the text (its previous block released).
    static VOID CALLBACK writer(const CharT* text, UINT length, LPVOID param) {
        auto* destination = static_cast<basic_shared_text*>(param);
        destination->release();
        if (length >= (INT_MAX - sizeof(block)) / sizeof(CharT)) return;  // too long for the block
        auto* fresh = static_cast<block*>(std::malloc(sizeof(block) + (length + 1) * sizeof(CharT)));
        if (!fresh) return;
        fresh->refs = 1;
        fresh->length = (int)length;
        if (length) std::memcpy(fresh->chars(), text, length * sizeof(CharT));
        fresh->chars()[length] = 0;
        destination->m_block = fresh;
    }

private:
    struct block {
        int refs;
        int length;
        CharT* chars() { return reinterpret_cast<CharT*>(this + 1); }
    };
    block* m_block = nullptr;
};

typedef basic_shared_text<WCHAR> shared_text;  // UTF-16 (inner text)
typedef basic_shared_text<BYTE> shared_utf8;   // UTF-8 bytes (HTML)

}  // namespace htmlayout
