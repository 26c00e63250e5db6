# SPDX-License-Identifier: GPL-3.0-or-later
# The upstream part of the changelog's version, which the build compares
# with project(): the versions under which a distribution builds the same
# release all name it, and another release never does.
#   cmake -P changelog_version_test.cmake
include(${CMAKE_CURRENT_LIST_DIR}/../../packaging/changelog_version.cmake)

# expect(LINE UPSTREAM): the changelog's first line LINE names UPSTREAM.
function(expect line upstream)
  galgen_changelog_upstream_version("${line}" got)
  if(NOT got STREQUAL upstream)
    message(SEND_ERROR "${line}\n  upstream version \"${got}\", expected \"${upstream}\"")
  endif()
endfunction()

expect("galgenmaennchen (1.00) unstable; urgency=medium" 1.00)
expect("galgenmaennchen (1.00+b1) unstable; urgency=low, binary-only=yes" 1.00)
expect("galgenmaennchen (1.00+nmu1) unstable; urgency=medium" 1.00)
expect("galgenmaennchen (1.00.1) unstable; urgency=medium" 1.00.1)
expect("galgenmaennchen (1:1.00-2+b3) unstable; urgency=medium" 1.00)
expect("galgenmaennchen (1.00~bpo12+1) bookworm-backports; urgency=medium" 1.00)
expect("galgenmaennchen (1.00.1) unstable; urgency=medium" 1.00.1)
expect("galgenmaennchen (1.001+b1) unstable; urgency=medium" 1.001)
expect("galgenmaennchen (11.00) unstable; urgency=medium" 11.00)
expect("  * Erste Ausgabe (1.00)" "")
