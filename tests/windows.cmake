# The test programs of the Windows build (cmake/mingw-w64.cmake), run under Wine by
# scripts/test-windows: the suites of the subsystems ported so far, each without the files that
# test what only Linux has. A file left out here is named with the reason.

# The test support that is free of Linux: trees, the test world, the fake clock, the scripted
# prompts, the waits and the copy runner without a window.
add_library(testsupport STATIC support/fake_clock.cpp support/wait_until.cpp
            support/test_world.cpp support/tree.cpp support/scripted_prompts.cpp
            support/controller/headless_copy_runner.cpp)
target_include_directories(testsupport PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(testsupport PUBLIC controller platform GTest::gtest)

set(platform_linux_only
  # The Linux mount table, udisks labels, GVfs shares and mount errors.
  mountinfo_test.cpp volume_label_udisks_test.cpp network_share_test.cpp network_path_test.cpp
  # The instance channel is a Unix socket in the runtime folder; Windows has a named pipe
  # (windows/instance_channel_win32_test.cpp).
  instance_channel_test.cpp
  # The desktop keyring over the session bus.
  secret_store_test.cpp
  # vfat attributes and the largest file of a loop-mounted file system.
  volume_kind_scope_test.cpp largest_file_test.cpp
  # Lowers and raises the rlimit of open files, which Windows does not have.
  open_file_limit_test.cpp
  # The registry's stand-in file, private by its mode bits; Windows keeps the values in the
  # registry itself (windows/registry_store_win32_test.cpp).
  registry_store_test.cpp
  # Checks the test support itself through stat's nanosecond times, setenv and mode bits.
  test_support_test.cpp
  # Linux's whole-file-system sync.
  whole_sync_test.cpp
  # The drive table's letters come from the Linux mounts and the serials from blkid; the pinned
  # drives are tested with recorded mount tables, a pipe and a symbolic link in the file's place.
  drive_table_test.cpp pinned_drives_test.cpp
  # Attributes and times read from mode bits and nanoseconds, and walks past pipes and /proc;
  # the walk's cases that every system has are in folder_walk_test.cpp.
  file_status_test.cpp
)
# The Linux side's own rules, which tests/platform/windows/ has the Win32 counterparts of.
set(platform_posix_rules
  # A lock file in the runtime folder and its owner checks; Windows has a named mutex.
  single_instance_test.cpp
  # The freedesktop.org trash folders; Windows has the shell's recycle bin.
  trash_test.cpp
  # The XDG folders and user-dirs.dirs; Windows has the shell's known folders.
  locations_test.cpp
  # Loads the library by the build machine's path, which a program under an emulator names
  # otherwise.
  dynamic_library_test.cpp
  # Open folders renamed away while held and links made with symlink(); Windows keeps a held
  # folder in place and makes links its own way (windows/open_folder_win32_test.cpp).
  open_folder_test.cpp
  # The probe of FUSE-mounted media; Windows knows what its names refuse without one
  # (windows/name_refusals_win32_test.cpp).
  name_refusal_probe_test.cpp
  # The walk of a held folder moved away meanwhile; Windows keeps a held folder in place.
  folder_walk_in_open_folder_test.cpp
)
tessaravine_tests(platform DEPS platform
                  EXCLUDE ${platform_linux_only} ${platform_posix_rules})

# A tiny DLL the dynamic-library tests load by full path, from beside the test program: the
# build folder's path is not the one the program sees under an emulator.
add_library(tv_test_loadable MODULE modules/loadable/loadable.cpp)
add_dependencies(platform_tests tv_test_loadable)
target_compile_definitions(platform_tests PRIVATE
                           TV_TEST_LOADABLE_NAME="$<TARGET_FILE_NAME:tv_test_loadable>")

# Reads and writes the registry with its calls alone in a process of its own, beside the test
# program, for the registry store's tests.
add_executable(tv_registry_probe modules/registry_probe/registry_probe.cpp)
target_link_libraries(tv_registry_probe PRIVATE shell32)
add_dependencies(platform_tests tv_registry_probe)
target_compile_definitions(platform_tests PRIVATE
                           TV_REGISTRY_PROBE_NAME="$<TARGET_FILE_NAME:tv_registry_probe>")

set(log_linux_only
  # A full disk is played with a file size limit (setrlimit) and its signal.
  log_store_test.cpp
)
tessaravine_tests(log DEPS log EXCLUDE ${log_linux_only})

# CardProbe.dll and idletime.dll: their tests load the built libraries by full path, as the
# program does. A cross-built test program runs under Wine, which shows the build machine's
# root as drive Z:.
if(CMAKE_HOST_UNIX)
  set(wine_host_drive "Z:")
endif()
set(cardprobe_linux_only
  # Letters resolve through the program's drive table there and the probe reads sysfs; on
  # Windows the system names its own letters, the program those it pins
  # (windows/exports_test.cpp).
  exports_test.cpp probe_test.cpp
  # The drive table's place in the Linux config folder and the user database.
  drive_file_path_test.cpp
)
tessaravine_tests(cardprobe DEPS cardprobe_core EXCLUDE ${cardprobe_linux_only})
add_dependencies(cardprobe_tests cardprobe)
target_compile_definitions(cardprobe_tests PRIVATE
                           CARDPROBE_LIBRARY_PATH=L"${wine_host_drive}$<TARGET_FILE:cardprobe>")

set(idletime_linux_only
  # The desktop session's sources: the compositor and logind over D-Bus, the X11 screen saver.
  session_sources_test.cpp source_choice_test.cpp
)
tessaravine_tests(idletime DEPS idletime_core EXCLUDE ${idletime_linux_only})
add_dependencies(idletime_tests idletime)
target_compile_definitions(idletime_tests PRIVATE
                           IDLETIME_LIBRARY_PATH=L"${wine_host_drive}$<TARGET_FILE:idletime>")

set(settings_linux_only
  # The share accounts in the desktop keyring, which is Linux's (libsecret over the session bus).
  keyring_credentials_test.cpp
  # The registry's stand-in file: a folder in its place, damaged text and its mode bits. Windows
  # keeps the values in the registry, which tests/platform/windows/ checks.
  registry_file_test.cpp
)
tessaravine_tests(settings DEPS settings EXCLUDE ${settings_linux_only})

set(schedule_linux_only
  # The schedules' share accounts in the desktop keyring (libsecret).
  keyring_schedule_test.cpp
)
tessaravine_tests(schedule DEPS schedule EXCLUDE ${schedule_linux_only})

set(engine_linux_only
  # Media and full disks: loop-mounted ext4, vfat, exFAT and NTFS images, FUSE file systems and
  # tmpfs limits, which Wine cannot mount.
  case_folding_destination_test.cpp comparison_scan_test.cpp durable_copy_test.cpp
  durable_media_test.cpp fat_destination_test.cpp interrupted_copy_test.cpp kernel_copy_test.cpp
  nested_destination_test.cpp passed_over_entries_test.cpp refused_names_test.cpp
  vanished_source_test.cpp
  # Mode bits, owners, another user and symbolic links in the trees (chmod, a scratch uid,
  # symlink), which Windows keeps as attributes or Wine cannot make; the mirror run's Windows
  # counterpart is windows/mirror_run_win32_test.cpp.
  copy_metadata_test.cpp full_backup_test.cpp mirror_deletion_test.cpp
  swapped_source_folder_test.cpp destination_link_test.cpp copy_lookahead_test.cpp
  # Nanosecond times set with utimensat while a copy runs, the rlimit of open files, holes.
  changing_source_test.cpp deep_source_tree_test.cpp sparse_copy_test.cpp
  # Asks the loader itself (dlopen) about the library the worker let go.
  idle_library_test.cpp
)
tessaravine_tests(engine DEPS engine EXCLUDE ${engine_linux_only})
include(idle_stubs.cmake)
tessaravine_idle_stubs("${wine_host_drive}")

set(controller_linux_only
  # Symbolic links and another owner's files in the lock and config folders at a start; the
  # process's mask and the settings files' mode bits.
  start_up/program_start_test.cpp start_up/file_modes_test.cpp
  # A full disk played with a file size limit (setrlimit).
  runners/decision_file_test.cpp
  # The settings file's damaged bytes; a damaged key is windows/settings_key_start_win32_test.cpp.
  start_up/settings_file_start_test.cpp
)
tessaravine_tests(controller DEPS controller EXCLUDE ${controller_linux_only})
add_dependencies(controller_tests cardprobe)
target_compile_definitions(controller_tests PRIVATE
                           CARDPROBE_LIBRARY_PATH="${wine_host_drive}$<TARGET_FILE:cardprobe>")
