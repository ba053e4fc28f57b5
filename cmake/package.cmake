# make package: a Debian package of everything installed, through CPack. The shared libraries
# the programs link (Qt 6, the C++ runtime) become dependencies through dpkg-shlibdeps; the Qt
# platform plugins, which the window loads at run time, are named here.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME corvina)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Corvina developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "build, train and consult small discrete neural networks")
set(CPACK_PACKAGE_DESCRIPTION
  "Corvina builds, trains and consults small feed-forward neural networks
whose arithmetic is discrete throughout: every signal is a byte level,
every weight a byte, every neuron has three inputs and a bias. Real
numbers enter and leave only through per-column quantile tables.
.
The package holds the desktop program corvina and the command-line tool
corvina-cli, which also exports a trained network as standalone C99
source that answers bit for bit as Corvina does.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Corvina developers <corvina@example.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
if(CORVINA_GUI)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "hicolor-icon-theme, shared-mime-info, desktop-file-utils")
endif()
include(CPack)
