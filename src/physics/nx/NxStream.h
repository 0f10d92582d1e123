// The byte stream through which the SDK reads and writes cooked meshes.
#pragma once

#include "NxSimpleTypes.h"

class NxStream {
public:
    virtual ~NxStream() = default;

    virtual NxU8 readByte() const = 0;
    virtual NxU16 readWord() const = 0;
    virtual NxU32 readDword() const = 0;
    virtual NxF32 readFloat() const = 0;
    virtual NxF64 readDouble() const = 0;
    virtual void readBuffer(void* buffer, NxU32 size) const = 0;

    virtual NxStream& storeByte(NxU8 b) = 0;
    virtual NxStream& storeWord(NxU16 w) = 0;
    virtual NxStream& storeDword(NxU32 d) = 0;
    virtual NxStream& storeFloat(NxReal f) = 0;
    virtual NxStream& storeDouble(NxF64 f) = 0;
    virtual NxStream& storeBuffer(const void* buffer, NxU32 size) = 0;

    // The one addition to the SDK's interface: true once a read came up short (the reads then
    // deliver zeros). The mesh readers check it after each block, so a cut-off or corrupt file
    // stops them before they read or allocate more. Streams that cannot tell keep the default;
    // the end marker of the cooked formats still catches their short reads.
    virtual bool readFailed() const { return false; }
};
