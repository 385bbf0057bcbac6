#pragma once
// A small set of enumeration values (at most 32), the framework's set type:
// font styles, shift states, component states.
#include <cstdint>
#include <initializer_list>

template <class E>
class TSet {
public:
    constexpr TSet() = default;
    constexpr TSet(std::initializer_list<E> values)
    {
        for (E v : values)
            FBits |= Bit(v);
    }
    static constexpr TSet FromBits(uint32_t bits)
    {
        TSet s;
        s.FBits = bits;
        return s;
    }

    constexpr bool Contains(E v) const { return (FBits & Bit(v)) != 0; }
    constexpr bool Empty() const { return FBits == 0; }
    constexpr uint32_t Bits() const { return FBits; }
    constexpr TSet& Include(E v)
    {
        FBits |= Bit(v);
        return *this;
    }
    constexpr TSet& Exclude(E v)
    {
        FBits &= ~Bit(v);
        return *this;
    }
    constexpr TSet& Set(E v, bool on) { return on ? Include(v) : Exclude(v); }

    friend constexpr TSet operator|(TSet a, TSet b) { return FromBits(a.FBits | b.FBits); }
    friend constexpr TSet operator&(TSet a, TSet b) { return FromBits(a.FBits & b.FBits); }
    friend constexpr bool operator==(TSet a, TSet b) = default;

private:
    static constexpr uint32_t Bit(E v) { return 1u << static_cast<unsigned>(v); }
    uint32_t FBits = 0;
};
