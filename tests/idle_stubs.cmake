# Stand-ins for the idle library, which the worker tests place in a test program directory.
# host_drive: what the test program puts before the build machine's paths (a drive letter
# under an emulator, nothing natively).
function(tessaravine_idle_stubs host_drive)
  add_library(tv_idle_stub MODULE modules/idle_stub/idle_stub.cpp)
  add_library(tv_idle_stub_without_entry MODULE modules/idle_stub/idle_stub.cpp)
  target_compile_definitions(tv_idle_stub_without_entry PRIVATE TV_IDLE_STUB_WITHOUT_ENTRY)
  add_dependencies(engine_tests tv_idle_stub tv_idle_stub_without_entry)
  target_compile_definitions(engine_tests PRIVATE
    TV_IDLE_STUB_PATH="${host_drive}$<TARGET_FILE:tv_idle_stub>"
    TV_IDLE_STUB_WITHOUT_ENTRY_PATH="${host_drive}$<TARGET_FILE:tv_idle_stub_without_entry>")
endfunction()
