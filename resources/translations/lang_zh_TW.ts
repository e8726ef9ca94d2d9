<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_TW">
<context>
    <name>AboutDialog</name>
    <message>
        <location filename="../../aboutdialog/aboutdialog.ui" line="8"/>
        <source>关于Vellumo</source>
        <translation>關於Vellumo</translation>
    </message>
    <message>
        <location filename="../../aboutdialog/aboutdialog.ui" line="35"/>
        <source>&lt;h2&gt;Vellumo&lt;/h2&gt;</source>
        <translation>&lt;h2&gt;Vellumo&lt;/h2&gt;</translation>
    </message>
    <message>
        <location filename="../../aboutdialog/aboutdialog.ui" line="41"/>
        <source>版本: 1.0.0.03</source>
        <translation>版本: 1.0.0.03</translation>
    </message>
    <message>
        <location filename="../../aboutdialog/aboutdialog.ui" line="47"/>
        <source>高效批量图片处理工具，支持裁剪、滤镜、水印等丰富功能。</source>
        <translation>高效批量圖片處理工具，支援裁剪、濾鏡、浮水印等豐富功能。</translation>
    </message>
    <message>
        <location filename="../../aboutdialog/aboutdialog.ui" line="54"/>
        <source>&lt;a href=&quot;https://www.vellumo.app&quot;&gt;访问官方网站&lt;/a&gt;</source>
        <translation>&lt;a href=&quot;https://www.vellumo.app&quot;&gt;訪問官方網站&lt;/a&gt;</translation>
    </message>
    <message>
        <location filename="../../aboutdialog/aboutdialog.ui" line="62"/>
        <source>© 2026 Orvantis. 保留所有权利。</source>
        <translation>© 2026 Orvantis. 保留所有權利。</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="8"/>
        <source>批量图片处理工具</source>
        <translation>批量圖片處理工具</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="114"/>
        <source>Vellumo</source>
        <translation>Vellumo</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="167"/>
        <source>添加图片</source>
        <translation>添加圖片</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="182"/>
        <source>输出目录</source>
        <translation>輸出目錄</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="195"/>
        <source>基本处理选项</source>
        <translation>基本處理選項</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="199"/>
        <source>宽度:</source>
        <translation>寬度:</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="211"/>
        <source>高度:</source>
        <translation>高度:</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="223"/>
        <source>保持宽高比</source>
        <translation>保持寬高比</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="229"/>
        <source>裁剪</source>
        <translation>裁剪</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="234"/>
        <source>输出格式:</source>
        <translation>輸出格式:</translation>
    </message>
    <message>
        <location filename="../../processing/pipeline/presets.cpp" line="28"/>
        <source>JPG</source>
        <translation>JPG</translation>
    </message>
    <message>
        <location filename="../../processing/pipeline/presets.cpp" line="29"/>
        <source>PNG</source>
        <translation>PNG</translation>
    </message>
    <message>
        <location filename="../../processing/pipeline/presets.cpp" line="30"/>
        <source>BMP</source>
        <translation>BMP</translation>
    </message>
    <message>
        <location filename="../../processing/pipeline/presets.cpp" line="31"/>
        <source>WEBP</source>
        <translation>WEBP</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="243"/>
        <source>质量:</source>
        <translation>品質:</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="266"/>
        <source>开始处理</source>
        <translation>開始處理</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="278"/>
        <source>尺寸和角度预设</source>
        <translation>尺寸和角度預設</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="282"/>
        <source>宽高比:</source>
        <translation>寬高比:</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="293"/>
        <source>标准尺寸:</source>
        <translation>標準尺寸:</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="308"/>
        <source>垂直翻转</source>
        <translation>垂直翻轉</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="313"/>
        <source>水平翻转</source>
        <translation>水平翻轉</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="318"/>
        <source>旋转角度:</source>
        <translation>旋轉角度:</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="333"/>
        <source>色彩调整</source>
        <translation>色彩調整</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="337"/>
        <source>对比度:</source>
        <translation>對比度:</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="350"/>
        <location filename="../../mainwindow/mainwindow.ui" line="386"/>
        <source>0</source>
        <translation>0</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="355"/>
        <source>饱和度:</source>
        <translation>飽和度:</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="368"/>
        <source>100</source>
        <translation>100</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="373"/>
        <source>亮度:</source>
        <translation>亮度:</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="394"/>
        <source>滤镜</source>
        <translation>濾鏡</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="398"/>
        <source>滤镜:</source>
        <translation>濾鏡:</translation>
    </message>
    <message>
        <location filename="../../processing/pipeline/presets.cpp" line="35"/>
        <source>无</source>
        <translation>無</translation>
    </message>
    <message>
        <location filename="../../processing/pipeline/presets.cpp" line="36"/>
        <source>模糊</source>
        <translation>模糊</translation>
    </message>
    <message>
        <location filename="../../processing/pipeline/presets.cpp" line="37"/>
        <source>灰度</source>
        <translation>灰階</translation>
    </message>
    <message>
        <location filename="../../processing/pipeline/presets.cpp" line="38"/>
        <source>复古</source>
        <translation>復古</translation>
    </message>
    <message>
        <location filename="../../processing/pipeline/presets.cpp" line="39"/>
        <source>边缘检测</source>
        <translation>邊緣檢測</translation>
    </message>
    <message>
        <location filename="../../processing/pipeline/presets.cpp" line="40"/>
        <source>浮雕</source>
        <translation>浮雕</translation>
    </message>
    <message>
        <location filename="../../processing/pipeline/presets.cpp" line="41"/>
        <source>油画</source>
        <translation>油畫</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="407"/>
        <source>强度:</source>
        <translation>強度:</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="422"/>
        <source>水印设置</source>
        <translation>浮水印設定</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="426"/>
        <source>添加水印</source>
        <translation>添加浮水印</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="434"/>
        <source>水印文字:</source>
        <translation>浮水印文字:</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="444"/>
        <location filename="../../mainwindow/mainwindow.ui" line="518"/>
        <source>颜色:</source>
        <translation>顏色:</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="449"/>
        <location filename="../../mainwindow/mainwindow.ui" line="523"/>
        <location filename="../../mainwindow/mainwindow.cpp" line="165"/>
        <source>选择颜色</source>
        <translation>選擇顏色</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="454"/>
        <source>透明度:</source>
        <translation>透明度:</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="467"/>
        <source>字体大小:</source>
        <translation>字型大小:</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="479"/>
        <source>位置:</source>
        <translation>位置:</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="495"/>
        <source>边框设置</source>
        <translation>邊框設定</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="499"/>
        <source>添加边框</source>
        <translation>添加邊框</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="506"/>
        <source>边框厚度:</source>
        <translation>邊框厚度:</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="539"/>
        <source>批量效果</source>
        <translation>批量效果</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="543"/>
        <source>自动增强</source>
        <translation>自動增強</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="548"/>
        <source>通道提取</source>
        <translation>通道提取</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="557"/>
        <source>网格分割</source>
        <translation>網格分割</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="562"/>
        <source>行数:</source>
        <translation>行數:</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="574"/>
        <source>列数:</source>
        <translation>列數:</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="592"/>
        <source>批量重命名</source>
        <translation>批量重新命名</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="597"/>
        <source>前缀:</source>
        <translation>前綴:</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="602"/>
        <source>image</source>
        <translation>image</translation>
    </message>
    <message>
        <location filename="../../mainwindow/applicationmenu.cpp" line="21"/>
        <source>简体中文</source>
        <translation>简体中文</translation>
    </message>
    <message>
        <location filename="../../mainwindow/applicationmenu.cpp" line="22"/>
        <source>繁體中文</source>
        <translation>繁體中文</translation>
    </message>
    <message>
        <location filename="../../mainwindow/applicationmenu.cpp" line="23"/>
        <source>English</source>
        <translation>English</translation>
    </message>
    <message>
        <location filename="../../mainwindow/applicationmenu.cpp" line="55"/>
        <location filename="../../mainwindow/applicationmenu.cpp" line="74"/>
        <source>一键重置</source>
        <translation>一鍵重置</translation>
    </message>
    <message>
        <location filename="../../mainwindow/applicationmenu.cpp" line="56"/>
        <source>关于Vellumo</source>
        <translation>關於Vellumo</translation>
    </message>
    <message>
        <location filename="../../mainwindow/applicationmenu.cpp" line="75"/>
        <source>关于我们</source>
        <translation>關於我們</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.cpp" line="89"/>
        <source>确认退出</source>
        <translation>確認退出</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.cpp" line="89"/>
        <source>确定要退出Vellumo吗？</source>
        <translation>確定要退出Vellumo嗎？</translation>
    </message>
    <message>
        <location filename="../../processing/pipeline/presets.cpp" line="45"/>
        <source>原始比例</source>
        <translation>原始比例</translation>
    </message>
    <message>
        <location filename="../../processing/pipeline/presets.cpp" line="46"/>
        <source>1:1 (正方形)</source>
        <translation>1:1 (正方形)</translation>
    </message>
    <message>
        <location filename="../../processing/pipeline/presets.cpp" line="47"/>
        <source>4:3</source>
        <translation>4:3</translation>
    </message>
    <message>
        <location filename="../../processing/pipeline/presets.cpp" line="48"/>
        <source>16:9</source>
        <translation>16:9</translation>
    </message>
    <message>
        <location filename="../../processing/pipeline/presets.cpp" line="49"/>
        <source>3:2</source>
        <translation>3:2</translation>
    </message>
    <message>
        <location filename="../../processing/pipeline/presets.cpp" line="53"/>
        <source>自定义</source>
        <translation>自訂</translation>
    </message>
    <message>
        <location filename="../../processing/pipeline/presets.cpp" line="54"/>
        <source>640x480 (VGA)</source>
        <translation>640x480 (VGA)</translation>
    </message>
    <message>
        <location filename="../../processing/pipeline/presets.cpp" line="55"/>
        <source>800x600 (SVGA)</source>
        <translation>800x600 (SVGA)</translation>
    </message>
    <message>
        <location filename="../../processing/pipeline/presets.cpp" line="56"/>
        <source>1024x768 (XGA)</source>
        <translation>1024x768 (XGA)</translation>
    </message>
    <message>
        <location filename="../../processing/pipeline/presets.cpp" line="57"/>
        <source>1280x720 (HD)</source>
        <translation>1280x720 (HD)</translation>
    </message>
    <message>
        <location filename="../../processing/pipeline/presets.cpp" line="58"/>
        <source>1920x1080 (Full HD)</source>
        <translation>1920x1080 (Full HD)</translation>
    </message>
    <message>
        <location filename="../../processing/pipeline/presets.cpp" line="59"/>
        <source>1080x1080 (Instagram)</source>
        <translation>1080x1080 (Instagram)</translation>
    </message>
    <message>
        <location filename="../../processing/pipeline/presets.cpp" line="60"/>
        <source>1200x1200</source>
        <translation>1200x1200</translation>
    </message>
    <message>
        <location filename="../../processing/pipeline/presets.cpp" line="65"/>
        <source>左上角</source>
        <translation>左上角</translation>
    </message>
    <message>
        <location filename="../../processing/pipeline/presets.cpp" line="66"/>
        <source>右上角</source>
        <translation>右上角</translation>
    </message>
    <message>
        <location filename="../../processing/pipeline/presets.cpp" line="67"/>
        <source>左下角</source>
        <translation>左下角</translation>
    </message>
    <message>
        <location filename="../../processing/pipeline/presets.cpp" line="68"/>
        <source>右下角</source>
        <translation>右下角</translation>
    </message>
    <message>
        <location filename="../../processing/pipeline/presets.cpp" line="69"/>
        <source>中心</source>
        <translation>中心</translation>
    </message>
    <message>
        <location filename="../../processing/pipeline/presets.cpp" line="73"/>
        <source>红色通道</source>
        <translation>紅色通道</translation>
    </message>
    <message>
        <location filename="../../processing/pipeline/presets.cpp" line="74"/>
        <source>绿色通道</source>
        <translation>綠色通道</translation>
    </message>
    <message>
        <location filename="../../processing/pipeline/presets.cpp" line="75"/>
        <source>蓝色通道</source>
        <translation>藍色通道</translation>
    </message>
    <message>
        <location filename="../../processing/pipeline/presets.cpp" line="76"/>
        <source>青色通道</source>
        <translation>青色通道</translation>
    </message>
    <message>
        <location filename="../../processing/pipeline/presets.cpp" line="77"/>
        <source>洋红通道</source>
        <translation>洋紅通道</translation>
    </message>
    <message>
        <location filename="../../processing/pipeline/presets.cpp" line="78"/>
        <source>黄色通道</source>
        <translation>黃色通道</translation>
    </message>
    <message>
        <location filename="../../processing/pipeline/presets.cpp" line="82"/>
        <source>替换</source>
        <translation>取代</translation>
    </message>
    <message>
        <location filename="../../processing/pipeline/presets.cpp" line="83"/>
        <source>改名保存</source>
        <translation>改名儲存</translation>
    </message>
    <message>
        <location filename="../../processing/pipeline/presets.cpp" line="84"/>
        <source>跳过</source>
        <translation>略過</translation>
    </message>
    <message>
        <location filename="../../mainwindow/reset.cpp" line="17"/>
        <source>确认重置</source>
        <translation>確認重置</translation>
    </message>
    <message>
        <location filename="../../mainwindow/reset.cpp" line="18"/>
        <source>确定要将应用程序重置为初始状态吗？所有设置都将被清除。</source>
        <translation>確定要將應用程式重置為初始狀態嗎？所有設定都將被清除。</translation>
    </message>
    <message>
        <location filename="../../mainwindow/reset.cpp" line="60"/>
        <source>重置完成</source>
        <translation>重置完成</translation>
    </message>
    <message>
        <location filename="../../mainwindow/reset.cpp" line="60"/>
        <source>应用程序已重置为初始状态。</source>
        <translation>應用程式已重置為初始狀態。</translation>
    </message>
</context>
</TS>
