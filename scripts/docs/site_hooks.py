"""mkdocs hooks of the docs site (mkdocs.yml): the build fails on a page of docs/ that
the navigation leaves out, and on a link to a heading that the target page does not
have (mkdocs itself, in strict mode, fails on a link to a page that does not exist)."""
import posixpath
import re

from mkdocs.exceptions import PluginError

_ids = {}    # page URL -> the ids of its headings and other anchors
_links = []  # (page URL, href) of every link of a page
_HREF = re.compile(r'<a [^>]*href="([^"]+)"')
_ID = re.compile(r'\bid="([^"]+)"')


def on_nav(nav, config, files):
    listed = {page.file.src_path for page in nav.pages}
    left_out = sorted(f.src_path for f in files.documentation_pages() if f.src_path not in listed)
    if left_out:
        raise PluginError(f"pages of docs/ not in the navigation of mkdocs.yml: {', '.join(left_out)}")
    return nav


def on_page_content(html, page, config, files):
    _ids[page.url] = set(_ID.findall(html))
    _links.extend((page.url, href) for href in _HREF.findall(html))
    return html


def on_post_build(config):
    broken = []
    for source, href in _links:
        if "://" in href or href.startswith("mailto:") or "#" not in href:
            continue
        target, anchor = href.split("#", 1)
        url = posixpath.normpath(posixpath.join(posixpath.dirname(source), target)) if target else source
        if url in _ids and anchor not in _ids[url]:
            broken.append(f"{source}: {href}")
    _ids.clear()
    _links.clear()
    if broken:
        raise PluginError("links to headings that do not exist:\n  " + "\n  ".join(broken))
