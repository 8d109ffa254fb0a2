// Root of the data classes: only a virtual destructor.
#pragma once

class CObject {
public:
    virtual ~CObject() = default;
};
