// No include guard: undoes <windows.h>'s renaming macros each time it is
// included, for headers whose members share those names.
#undef CreateDirectory
#undef CopyFile
#undef DeleteFile
#undef GetCurrentDirectory
#undef SetCurrentDirectory
#undef TextOut
#undef MessageBox
