#include "pageprep/core/interrogator.h"

const std::vector<InterrogatedEngine>& interrogatedEngines() {
    // The search hosts the engines answered on while these query forms were theirs.
    static const std::vector<InterrogatedEngine> engines = {
        {"Infoseek", "www.infoseek.com", "/Titles?col=WW&qt=url%3A", "&lk=ip-noframes"},
        {"Lycos", "www.lycos.com", "/cgi-bin/pursuit?matchmode=and&cat=lycos&query=", "&npl1=ignore%3Dpq"},
        {"AOL NetFind", "netfind.aol.com",
         "/search.gw?search=", "&lk=excite_netfind2_us&nrm=aol&pri=on&xls=b&xll=65"},
        {"Excite", "search.excite.com", "/search.gw?search=", ""},
        {"Yahoo", "search.yahoo.com", "/bin/query?p=", "&hc=0&hs=0"},
        {"AltaVista", "www.altavista.com", "/cgi-bin/query?pg=q&kl=XX&q=url%3A", "&search=Search"},
        {"Web Crawler", "www.webcrawler.com", "/cgi-bin/WebQuery?search=%27", "%27"},
        {"HotBot", "www.hotbot.com",
         "/?MT=", "&SM=url&DV=0&LG=any&DC=10&DE=2&clickSrc=search&_v=2&OPs=MDRTP&ACF=1"},
    };
    return engines;
}

std::string interrogationAddress(int index, std::string_view url) {
    const std::vector<InterrogatedEngine>& engines = interrogatedEngines();
    if (index < 0 || index >= static_cast<int>(engines.size()))
        return "";
    const InterrogatedEngine& engine = engines[static_cast<size_t>(index)];
    return "http://" + engine.host + engine.before + std::string(url) + engine.after;
}
