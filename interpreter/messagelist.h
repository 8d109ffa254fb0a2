// CMessageList: a list of messages; a stack, or a queue when taken out with popBack.
#pragma once

#include "interpreter/message.h"
#include "space/linklist.h"

class CMessageList : public CLinkList<CMessage> {
public:
    CMessageList() = default;
    CMessageList(const CMessageList&) = default;
    CMessageList& operator=(const CMessageList&) = default;
};
