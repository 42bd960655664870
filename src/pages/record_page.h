#pragma once
// RecordPage: a page the frame hands the selected camera record to when the page becomes
// current. The record stays the frame's; the page keeps a pointer to it until the next call.
class CameraRecord;

class RecordPage
{
public:
    virtual void LoadFromRecord(CameraRecord* record) = 0;

protected:
    ~RecordPage() = default;
};
