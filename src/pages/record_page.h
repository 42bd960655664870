#pragma once
// CRecordPage: a page the frame hands the selected camera record to when the page becomes
// current. The record stays the frame's; the page keeps a pointer to it until the next call.
class CCameraDataObj;

class CRecordPage
{
public:
    virtual void LoadFromRecord(CCameraDataObj* record) = 0;

protected:
    ~CRecordPage() = default;
};
