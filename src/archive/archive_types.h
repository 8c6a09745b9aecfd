// Enumerations shared by the archive control, its options and the library
// binding. Ordinals matter: they index tables and the support-set bits.
#pragma once
#include <cstdint>
#include <initializer_list>

enum TArchiveType : std::uint8_t {
    atNone,
    atLha,
    atCab,
    atTar,
    atArj,
    atRar,
    atZip,
    atSevenZip
};

enum TArcSortType : std::uint8_t {
    stName,
    stTime,
    stSize,
    stRate,
    stCompSize,
    stPath,
    stType,
    stNoSort
};

enum TExtractOption : std::uint8_t { eoIncludeDir, eoOverWrite, eoIncludeHidden };
enum TCompressOption : std::uint8_t { coIncludeHidden, coOverWrite, coIncludeDir, coRecurse };
enum TLhaCompressType : std::uint8_t { ctLh0, ctLh1, ctLh5, ctLh6, ctLh7 };
enum TLhaSfxType : std::uint8_t { stDosSfx, stWinSfx, stWinSfxM, stWinSfx32, stWinSfx32M };
enum TCabCompressType : std::uint8_t { ctMsZip, ctLzx, ctQuantum, ctNoCompress };
enum TTarCompressType : std::uint8_t { ctTar, ctGZip, ctBZip2 };

// Operations the control can run; passed to OnStart and OnEnd.
enum TArchiveOperationKind : std::uint8_t { aoExtract, aoCompress };

// The archiver libraries, in the order they are released at exit.
enum TArchiverLibrary : std::uint8_t {
    alUnlha,
    alCab,
    alTar,
    alUnarj,
    alUnrar,
    alUnzip,
    alZip,
    alSevenZip
};
constexpr int kArchiverLibraryCount = 8;

// A set of a small enumeration, one bit per ordinal (a Pascal-style set).
template <class E> class EnumSet {
public:
    constexpr EnumSet() = default;
    constexpr EnumSet(std::initializer_list<E> items) {
        for (E e : items)
            bits_ |= Bit(e);
    }
    static constexpr EnumSet FromBits(std::uint32_t bits) {
        EnumSet s;
        s.bits_ = bits;
        return s;
    }
    constexpr bool Contains(E e) const { return (bits_ & Bit(e)) != 0; }
    constexpr void Include(E e) { bits_ |= Bit(e); }
    constexpr void Exclude(E e) { bits_ &= ~Bit(e); }
    constexpr bool Empty() const { return bits_ == 0; }
    constexpr std::uint32_t Bits() const { return bits_; }
    friend constexpr bool operator==(EnumSet a, EnumSet b) { return a.bits_ == b.bits_; }
    friend constexpr bool operator!=(EnumSet a, EnumSet b) { return a.bits_ != b.bits_; }

private:
    static constexpr std::uint32_t Bit(E e) { return 1u << static_cast<unsigned>(e); }
    std::uint32_t bits_ = 0;
};

using TExtractOptions = EnumSet<TExtractOption>;
using TCompressOptions = EnumSet<TCompressOption>;
// Formats atLha..atSevenZip; stored as one byte whose bit n stands for ordinal n.
using TSupportArchives = EnumSet<TArchiveType>;
constexpr TSupportArchives kAllSupportArchives{atLha, atCab, atTar, atArj, atRar, atZip, atSevenZip};

// Opaque handles as the libraries see them (32-bit on the target).
using TArchiveHandle = std::uintptr_t;
using TWindowHandle = std::uintptr_t;
