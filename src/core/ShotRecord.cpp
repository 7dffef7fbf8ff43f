// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/ShotRecord.h"

#include <cstring>
#include <limits>
#include <memory>

namespace tolvanor {

struct RecordTexts::HeapBlock {
    std::array<std::uint32_t, 4> length{};
    char bytes[1];
};

RecordTexts::HeapBlock* RecordTexts::Heap() const noexcept {
    HeapBlock* block = nullptr;
    std::memcpy(&block, bytes_.data(), sizeof block);
    return block;
}

std::array<std::string_view, 4> RecordTexts::HeapViews() const noexcept {
    std::array<std::string_view, 4> views;
    const HeapBlock* block = Heap();
    const char* cursor = block->bytes;
    for (std::size_t i = 0; i < views.size(); ++i) {
        views[i] = std::string_view(cursor, block->length[i]);
        cursor += block->length[i];
    }
    return views;
}

void RecordTexts::Assign(const std::array<std::string_view, 4>& texts) {
    std::size_t total = 0;
    for (auto text : texts) total += text.size();

    if (total <= InlineCapacity) {
        // Build in a scratch buffer first: the views may point into bytes_.
        std::array<char, InlineCapacity> packed{};
        std::array<std::uint8_t, 4> lengths{};
        char* out = packed.data();
        for (int i = 0; i < 4; ++i) {
            if (!texts[i].empty()) std::memcpy(out, texts[i].data(), texts[i].size());
            out += texts[i].size();
            lengths[i] = static_cast<std::uint8_t>(texts[i].size());
        }
        Clear();
        bytes_ = packed;
        inlineLength_ = lengths;
        return;
    }

    auto* raw = static_cast<HeapBlock*>(::operator new(sizeof(HeapBlock) + total));
    char* out = raw->bytes;
    for (int i = 0; i < 4; ++i) {
        if (!texts[i].empty()) std::memcpy(out, texts[i].data(), texts[i].size());
        out += texts[i].size();
        raw->length[i] = static_cast<std::uint32_t>(texts[i].size());
    }
    Clear();
    std::memcpy(bytes_.data(), &raw, sizeof raw);
    onHeap_ = true;
}

void RecordTexts::Set(Field field, std::string_view text) {
    auto texts = Views();
    if (texts[field] == text) return;
    texts[field] = text;
    Assign(texts);
}

bool RecordTexts::Update(const std::array<std::string_view, 4>& texts) {
    // A text given as a view of this record's own is the same text: only
    // the others need their bytes compared (a pass hands most texts back so).
    const auto current = Views();
    bool same = true;
    for (std::size_t i = 0; same && i < texts.size(); ++i) {
        same = current[i].size() == texts[i].size() && (current[i].data() == texts[i].data() || current[i] == texts[i]);
    }
    if (same) return false;
    Assign(texts);
    return true;
}

void RecordTexts::Clear() noexcept {
    if (onHeap_) ::operator delete(Heap());
    bytes_.fill(0);
    inlineLength_.fill(0);
    onHeap_ = false;
}

RecordTexts::RecordTexts(const RecordTexts& other) {
    if (other.onHeap_) {
        Assign(other.Views());
    } else {
        bytes_ = other.bytes_;
        inlineLength_ = other.inlineLength_;
    }
}

RecordTexts::RecordTexts(RecordTexts&& other) noexcept
    : bytes_(other.bytes_), inlineLength_(other.inlineLength_), onHeap_(other.onHeap_) {
    other.bytes_.fill(0);
    other.inlineLength_.fill(0);
    other.onHeap_ = false;
}

RecordTexts& RecordTexts::operator=(const RecordTexts& other) {
    if (this == &other) return *this;
    if (other.onHeap_) {
        Assign(other.Views());
    } else {
        Clear();
        bytes_ = other.bytes_;
        inlineLength_ = other.inlineLength_;
    }
    return *this;
}

RecordTexts& RecordTexts::operator=(RecordTexts&& other) noexcept {
    if (this == &other) return *this;
    Clear();
    bytes_ = other.bytes_;
    inlineLength_ = other.inlineLength_;
    onHeap_ = other.onHeap_;
    other.bytes_.fill(0);
    other.inlineLength_.fill(0);
    other.onHeap_ = false;
    return *this;
}

RecordTexts::~RecordTexts() {
    Clear();
}

bool operator==(const RecordTexts& a, const RecordTexts& b) noexcept {
    return a.Views() == b.Views();
}

} // namespace tolvanor
