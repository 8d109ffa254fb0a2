// CKey: the name of a unit (a picture and a number), by which units address their messages.
#pragma once

#include "interpreter/patternspace.h"
#include "space/object.h"

class CKey : public CObject {
public:
    CKey() = default;
    CKey(const CSpace& keyIcon, int keyValue) : icon(keyIcon), value(keyValue) {}
    CKey(const CKey&) = default;
    CKey& operator=(const CKey&) = default;
    ~CKey() override = default;

    // A key with value 0 names nobody.
    int isEmpty() const { return value == 0 ? 1 : 0; }
    int isEqual(const CKey& other) const;
    // The key of a top-level program that declares none: one black cell, value 1.
    void setDefault();

    CPatternSpace icon{0, 0, 0, 0};
    int value = 0;
};
