// The artwork library needs one translation unit of its own.
namespace tossbox_resources {}
