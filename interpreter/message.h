// CMessage: a picture and a payload sent from one unit of a running program to another.
#pragma once

#include "interpreter/key.h"
#include "space/object.h"
#include "space/space.h"

class CMessage : public CObject {
public:
    CMessage() = default;
    CMessage(const CMessage&) = default;
    CMessage& operator=(const CMessage&) = default;
    ~CMessage() override = default;

    CKey key;     // whom the message is for
    CSpace shape; // what is sent: a sub-program's name or a unit's own key picture
    CSpace data;  // the payload
    int value = 0;
};
