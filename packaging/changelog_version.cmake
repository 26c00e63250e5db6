# SPDX-License-Identifier: GPL-3.0-or-later
# The version of the newest entry of a Debian changelog, and its upstream
# part: the version without its epoch ("2:") and without what a Debian
# revision ("-1"), a binary-only rebuild ("+b1"), a non-maintainer upload
# ("+nmu1") or a backport ("~bpo12+1") adds after it. A distribution
# rebuilds the same release under all of these, so only the upstream part
# must be the version of project().

# galgen_changelog_upstream_version(LINE OUT): OUT is the upstream part of
# the version in LINE, the changelog's first line; empty if LINE names none.
function(galgen_changelog_upstream_version line out)
  set(upstream "")
  if(line MATCHES "^[a-z0-9][a-z0-9.+-]* \\(([0-9]+:)?([0-9][A-Za-z0-9.]*)[^)]*\\) ")
    set(upstream "${CMAKE_MATCH_2}")
  endif()
  set(${out} "${upstream}" PARENT_SCOPE)
endfunction()
